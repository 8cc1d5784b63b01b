#pragma once

#include <QString>

#include "hostservices/HostExport.h"

// The suite's log. Logging never fails from the caller's point of view.
class PREFBOOK_HOST_EXPORT ITracebook {
public:
    static ITracebook& Instance();
    static void Install(ITracebook* tracebook);

    virtual void WriteLog(const QString& message) = 0;
    virtual void WriteLogDetail(const QString& message) = 0;

protected:
    ITracebook() = default;
    ~ITracebook() = default;
};
