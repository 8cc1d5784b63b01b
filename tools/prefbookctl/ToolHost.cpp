#include "ToolHost.h"

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"

namespace prefbookctl {

namespace {

class CapturingTracebook final : public ITracebook {
public:
    void WriteLog(const QString& message) override { lines_ << message; }
    void WriteLogDetail(const QString& message) override { lines_ << "detail: " + message; }

    QStringList Take() {
        QStringList lines;
        lines.swap(lines_);
        return lines;
    }

private:
    QStringList lines_;  // the tool is single-threaded
};

CapturingTracebook& Capture() {
    static CapturingTracebook capture;
    return capture;
}

}  // namespace

prefbook::StoreHost ToolHost() {
    return {&IHabitat::Instance(), &Capture(), &prefbook::SystemClock::Instance()};
}

QStringList TakeLog() {
    return Capture().Take();
}

}  // namespace prefbookctl
