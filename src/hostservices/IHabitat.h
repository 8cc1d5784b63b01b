#pragma once

#include <QString>

#include "hostservices/HostExport.h"

// Directories of the suite. The library calls GetBaseDir, GetUserDir and GetProfileDir; the other
// operations belong to the suite's own users of this service.
class PREFBOOK_HOST_EXPORT IHabitat {
public:
    // The installed habitat, or the default one (base folder from PREFBOOK_BASE_DIR, else the
    // per-user data folder) when none was installed before the first call.
    static IHabitat& Instance();
    // Puts a host's own habitat in place; it must outlive every library call. Call before first use.
    static void Install(IHabitat* habitat);

    virtual const QString& GetAppDir() = 0;
    virtual const QString& GetBaseDir() = 0;
    virtual const QString& GetLogDir() = 0;
    virtual const QString& GetUserDir() = 0;
    virtual const QString& GetTempDir() = 0;
    // Fills *dir with the profile folder of the device type, ending with a separator; creates it.
    virtual void GetProfileDir(int type, QString* dir) = 0;

protected:
    IHabitat() = default;
    ~IHabitat() = default;
};
