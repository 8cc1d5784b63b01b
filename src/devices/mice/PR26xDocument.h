#pragma once

#include <QIODevice>
#include <QString>
#include <QVector>
#include <cstdint>

#include "devices/mice/PR26xRecords.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// The "flag" of a document's root tells the store document and the files at the user's paths apart.
constexpr uint16_t kButtonMouseStoreFlag = 1282;
constexpr uint16_t kButtonMouseMacroFileFlag = 13107;
constexpr int kButtonMouseProfileCount = 5;

// The names and numbers that tell the two models apart.
struct PR26xModel {
    int deviceType;       // 8 (PR260) or 9 (PR261)
    QLatin1String root;   // "pr260" / "pr261"
    QLatin1String name;   // "PR260" / "PR261", inside the log messages
    uint16_t exportFlag;  // 608 / 609
};
PR26xModel PR260Model();
PR26xModel PR261Model();

template <class Profile>
struct PR26xDocument {
    uint16_t flag = 0;
    uint8_t currentProfileID = 0;
    bool rootSeen = false;  // the root was reached, so the head holds the file's values
    QString exportPath;
    QString openExePath;
    QVector<Profile> profiles;
};

template <class Profile>
Profile DefaultPR26xProfile(int position);

// Reads a document into doc, its profiles emptied first; false on an unreadable or malformed file.
template <class Profile>
bool ReadPR26xDevice(const StoreHost& host, const PR26xModel& model, QIODevice& device, const QString& path,
                     PR26xDocument<Profile>& doc);
template <class Profile>
bool ReadPR26xFile(const StoreHost& host, const PR26xModel& model, const QString& path,
                   PR26xDocument<Profile>& doc);

// Writes doc under the given flag: 1282 for the store document, the export flag for exports.
template <class Profile>
void WritePR26x(QXmlStreamWriter& w, const PR26xModel& model, uint16_t flag,
                const PR26xDocument<Profile>& doc);
template <class Profile>
bool WritePR26xFile(const StoreHost& host, const PR26xModel& model, const QString& path, WriteMode mode,
                    uint16_t flag, const PR26xDocument<Profile>& doc);

// Replaces an existing document whole: written beside it, flushed, renamed over it, the folder flushed;
// with flag 1282.
template <class Profile>
bool ReplacePR26xFile(const StoreHost& host, const PR26xModel& model, const QString& path,
                      const PR26xDocument<Profile>& doc);

// Macro files: the model's root with flag 13107 and one profile-level "macros" element.
bool WritePR26xMacroFile(const StoreHost& host, const PR26xModel& model, const QString& path,
                         const std::string& macroPath, const std::string& currMacro,
                         const MouseMacroNameMap& macros);
// Reads a macro file into the three values; false, logged, for a wrong root or flag or a bad file.
bool ReadPR26xMacroDevice(const StoreHost& host, const PR26xModel& model, QIODevice& device,
                          const QString& path, std::string& macroPath, std::string& currMacro,
                          MouseMacroNameMap& macros);
bool ReadPR26xMacroFile(const StoreHost& host, const PR26xModel& model, const QString& path,
                        std::string& macroPath, std::string& currMacro, MouseMacroNameMap& macros);

// Merges imported macros: each is stored under the name its record carries, or under the first free
// "name - (n)" when that is taken, its record then renamed to match.
void MergeImportedMacros(const MouseMacroNameMap& imported, MouseMacroNameMap& macros);

}  // namespace prefbook
