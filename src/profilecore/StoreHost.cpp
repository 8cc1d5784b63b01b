#include "profilecore/StoreHost.h"

#include <chrono>
#include <thread>

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"

namespace prefbook {

void Clock::SleepFor(int msecs) const {
    std::this_thread::sleep_for(std::chrono::milliseconds(msecs));
}

const SystemClock& SystemClock::Instance() {
    static const SystemClock clock;
    return clock;
}

StoreHost StoreHost::Process() {
    return {&IHabitat::Instance(), &ITracebook::Instance(), &SystemClock::Instance()};
}

void StoreHost::Log(const QString& message) const {
    log->WriteLog(message);
}

void StoreHost::LogDetail(const QString& message) const {
    log->WriteLogDetail(message);
}

QString StoreHost::ProfileDir(int deviceType) const {
    QString dir;  // the habitat fills what it is given, so it starts empty
    habitat->GetProfileDir(deviceType, &dir);
    return dir;
}

}  // namespace prefbook
