#include "devices/mousepads/FT610Document.h"

#include <cstring>

#include "profilecore/RegularFile.h"

namespace prefbook {

bool ReadFT610Document(const QString& path, FT610Record& record, const StoreHost* host) {
    std::memset(&record, 0, sizeof(record));
    QFile file;
    const QString error = OpenRegularFile(file, path);
    if (!error.isEmpty()) {
        if (host) host->Log("Open " + path + " Failed : " + error);
        return false;
    }
    // A short document is taken as far as it goes: the record was zeroed above, so the count read
    // is of no interest.
    file.read(reinterpret_cast<char*>(&record), sizeof(record));
    return true;
}

}  // namespace prefbook
