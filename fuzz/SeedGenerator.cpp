#include <QDir>
#include <QFile>
#include <cstdio>

#include "hostile/ReaderCatalog.h"

// Writes the default and the rich sample of every catalogue reader into <out>/<reader>/, the seed
// corpus of each harness.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const prefbook::readers::ReaderEntry& entry : prefbook::readers::Catalog()) {
        const QString folder = out.filePath(QLatin1String(entry.name));
        QDir().mkpath(folder);
        const std::pair<const char*, QByteArray> seeds[] = {{"default", entry.defaultSample()},
                                                            {"rich", entry.richSample()}};
        for (const auto& seed : seeds) {
            QFile file(folder + "/" + seed.first);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                file.write(seed.second) != seed.second.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
                return 1;
            }
        }
        std::printf("%s\n", entry.name);
    }
    return 0;
}
