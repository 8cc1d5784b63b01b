#pragma once

#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "StoreAdapter.h"
#include "ToolHost.h"
#include "profilecore/CustomColor.h"

// What the store adapters share: cell formats, option checks, the import and validate sequences.
namespace prefbookctl {

// An adapter's store, built with ToolHost() (and any further arguments) when first asked for: a store
// loads its folder in its constructor, which only commands that use the store should cause.
template <class Store>
class LazyStore {
public:
    template <class... Args>
    Store& Get(Args&&... args) {
        if (!store_) store_ = std::make_unique<Store>(ToolHost(), std::forward<Args>(args)...);
        return *store_;
    }

private:
    std::unique_ptr<Store> store_;
};

// Colours as JSON objects {"enable", "r", "g", "b", "a"}, and as text: "#rrggbbaa", in parentheses
// when not enabled, "-" for a colour not enabled and all zero.
QJsonArray ColorsJson(const QVector<CustomColor>& colors);
QString ColorsText(const QJsonValue& value);
// "#rrggbb" from three bytes.
QString Rgb(int r, int g, int b);
// Rgb() behind a colour swatch when swatches are on.
QString ColorCell(int r, int g, int b);

QJsonArray NamesJson(const std::vector<std::string>& names);
QString Utf8(const std::string& text);
// The names a map is keyed by (macros by name, surfaces by name), in the map's order.
template <class Map>
QJsonArray NameKeysJson(const Map& map) {
    QJsonArray names;
    for (const auto& item : map) names.append(Utf8(item.first));
    return names;
}

// A table of named profiles: the position ("index", or "profile" where it is the profile's number),
// id, name and exe, then the model's own columns; rows get their first four cells from the profile.
Table ProfileTable(const QVector<Column>& columns, const QString& position = QStringLiteral("index"));
template <class Profile>
void AddProfileRow(Table& table, int position, const Profile& p, const QVector<QJsonValue>& cells) {
    table.AddRow(QVector<QJsonValue>{position, p.id, Utf8(p.name), Utf8(p.exe)} + cells);
}

StoreSummary MakeSummary(const QString& model, const QString& folder, const QString& loadedFrom, int count);

// Throws UsageError when the transfer carries an option the kind does not take.
void AllowOptions(const Transfer& transfer, const QString& model, bool profile, bool aimMode);
// The value of --profile or --aim-mode, its default when not given; UsageError outside 0 .. count-1.
int OptionIndex(int given, int fallback, int count, const char* option);

// The sequence of every import: the store's operation (its log captured), on success the store's
// save. A refusal leaves the folder alone and explains itself with the store's log lines, or with
// what the adapter's validate finds when the store logged nothing.
bool RunImport(StoreAdapter& adapter, const QString& model, const Transfer& transfer,
               const std::function<bool()>& import, const std::function<bool()>& save,
               const std::function<QString()>& savedDocument, QString* document, QString* error);
// A rename followed by the store's save; the save's log lines, joined, in the error when it fails.
bool RunRename(const QString& model, const std::function<void()>& rename, const std::function<bool()>& save,
               QString* error);
// A save of the whole store, its log lines in the error when it fails.
bool RunSave(const QString& model, const std::function<bool()>& save, QString* error);
// An export: the store's operation, its log lines in the error when it fails.
bool RunExport(const QString& model, const Transfer& transfer, const std::function<bool()>& exportFile,
               QString* error);

// A transfer kind with the store operations that export and import it, each given the user's file.
struct KindOperations {
    QString kind;
    std::function<bool(const QString&)> exportFile;
    std::function<bool(const QString&)> importFile;
};

// KindOperations from two members of the store taking the file's path.
template <class Store, class ExportMember, class ImportMember>
KindOperations Kind(const char* kind, Store& store, ExportMember exportFile, ImportMember importFile) {
    Store* s = &store;
    return {QString::fromLatin1(kind),
            [s, exportFile](const QString& path) { return (s->*exportFile)(path); },
            [s, importFile](const QString& path) { return (s->*importFile)(path); }};
}

// A store's transfers as a table of kinds, with what an import needs after the store took the file.
struct TransferTable {
    QVector<KindOperations> kinds;
    std::function<bool()> save;
    std::function<QString()> savedDocument;  // the name of the document that save wrote
};

// RunExport and RunImport with the transfer's kind looked up in the table; a kind the table does not
// list is a UsageError (the command checks kinds against TransferKinds() first).
bool ExportByKind(const QString& model, const Transfer& transfer, const TransferTable& table, QString* error);
bool ImportByKind(StoreAdapter& adapter, const QString& model, const Transfer& transfer,
                  const TransferTable& table, QString* document, QString* error);

// Reads the probed file with a store's reader (its log captured) and fills the shared fields:
// read, and the problems (the XML's first error with its position, then every logged line).
void ReadForValidation(const DocumentProbe& probe, Validation* result, const std::function<bool()>& read);

// What validate and doctor say of a document the store refuses:
// "flag 5 (a profile export), the store expects 6", the meaning found in the model's list of flags
// ("nothing known" for one not listed; the first entry for a flag wins)
using FlagWords = std::initializer_list<std::pair<uint16_t, const char*>>;
QString FlagMismatch(uint16_t flag, FlagWords words, uint16_t expected);
// "holds 1 record, 25 expected", "holds 3 records, 25 expected" (noun in the singular)
QString CountMismatch(int count, int expected, const QString& noun);
// "holds 3 profiles, the store expects 5"
QString StoreExpects(int count, int expected);

// The walk's rules for a store that accepts a whole document (its full number of entries) under its
// store flag, and still keeps the last readable whole document whatever its flag. Each function looks
// at the document the read just filled; the problems explain a refusal.
void AcceptWholeUnderFlag(LoadRules* rules, const std::function<bool()>& whole,
                          const std::function<bool()>& storeFlag,
                          const std::function<QString()>& countProblem,
                          const std::function<QString()>& flagProblem);

// The "flag" of the keyboard and keypad macro files.
constexpr uint16_t kMacroFileFlag = 8738;

// Validates a macro file, which no store loads (refusal says why) and "import --kind macros" takes:
// read stores the number of macros it read in *count.
void ValidateMacroFile(const DocumentProbe& probe, Validation* result, const QString& command,
                       const QString& refusal, const std::function<bool(int* count)>& read);

// Whether a store's load takes a document it read: sets storeAccepts (read and accepts) and storeLoad
// ("skipped: does not read", "accepted", or "not accepted: " with the problem and the note after
// it); a document that reads but is refused has the problem added to the problems.
void JudgeStoreDocument(Validation* result, bool accepts, const QString& problem, const QString& note = {});

// "prefbookctl --base BASE import <name> [--kind KIND] FILE", quoted for the shell, with this run's
// --profile and --aim-mode
QString ImportCommand(const QString& name, const QString& kind, const QString& path);

}  // namespace prefbookctl
