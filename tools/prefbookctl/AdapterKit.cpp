#include "AdapterKit.h"

#include <QFileInfo>
#include <QJsonObject>

#include "Commands.h"
#include "ToolHost.h"

namespace prefbookctl {

QJsonArray ColorsJson(const QVector<CustomColor>& colors) {
    QJsonArray array;
    for (const CustomColor& c : colors)
        array.append(QJsonObject{{"enable", c.enable}, {"r", c.r}, {"g", c.g}, {"b", c.b}, {"a", c.a}});
    return array;
}

QString Rgb(int r, int g, int b) {
    return QString::asprintf("#%02x%02x%02x", r & 0xff, g & 0xff, b & 0xff);
}

QString ColorCell(int r, int g, int b) {
    return (SwatchesEnabled() ? Swatch(r, g, b) : QString()) + Rgb(r, g, b);
}

QString ColorsText(const QJsonValue& value) {
    QStringList parts;
    for (const QJsonValue& element : value.toArray()) {
        const QJsonObject c = element.toObject();
        const QString text = Rgb(c["r"].toInt(), c["g"].toInt(), c["b"].toInt()) +
                             QString::asprintf("%02x", c["a"].toInt() & 0xff);
        const bool blank = !c["r"].toInt() && !c["g"].toInt() && !c["b"].toInt() && !c["a"].toInt();
        const QString swatch =
            SwatchesEnabled() && !blank ? Swatch(c["r"].toInt(), c["g"].toInt(), c["b"].toInt()) : QString();
        parts << swatch + (c["enable"].toInt() ? text : blank ? QStringLiteral("-") : "(" + text + ")");
    }
    return parts.join(' ');
}

QJsonArray NamesJson(const std::vector<std::string>& names) {
    QJsonArray array;
    for (const std::string& name : names) array.append(Utf8(name));
    return array;
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

Table ProfileTable(const QVector<Column>& columns, const QString& position) {
    return Table(
        QVector<Column>{
            {position, position.toUpper(), {}}, {"id", "ID", {}}, {"name", "NAME", {}}, {"exe", "EXE", {}}} +
        columns);
}

StoreSummary MakeSummary(const QString& model, const QString& folder, const QString& loadedFrom, int count) {
    return {model, folder, DocumentName(loadedFrom), count};
}

void AllowOptions(const Transfer& transfer, const QString& model, bool profile, bool aimMode) {
    const QString kind = transfer.kind.isEmpty() ? QString() : " --kind " + transfer.kind;
    if (!profile && transfer.profile >= 0) throw UsageError{"--profile is not used by " + model + kind};
    if (!aimMode && transfer.aimMode >= 0) throw UsageError{"--aim-mode is not used by " + model + kind};
}

int OptionIndex(int given, int fallback, int count, const char* option) {
    const int value = given >= 0 ? given : fallback;
    if (value >= count)
        throw UsageError{QString("bad ") + option + " " + QString::number(value) + ": expected 0 to " +
                         QString::number(count - 1)};
    return value;
}

namespace {

QString Explain(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += "\n  " + line;
    return text;
}

}  // namespace

bool RunImport(StoreAdapter& adapter, const QString& model, const Transfer& transfer,
               const std::function<bool()>& import, const std::function<bool()>& save,
               const std::function<QString()>& savedDocument, QString* document, QString* error) {
    const QString refused = "import refused by " + model + ", nothing saved: " + transfer.path;
    // Only the model's own files reach the store: some imports take a foreign file for an empty one.
    const DocumentProbe probe = ProbeDocument(transfer.path);
    Validation validation;
    const bool own = adapter.Validate(probe, &validation);
    TakeLog();
    if (!own) {
        QString why;
        if (!probe.opened) {
            why = "the file cannot be opened: " + probe.openError;
        } else if (probe.root.isEmpty()) {
            why = probe.IsXmlError() ? "not an XML document: " + probe.ErrorText()
                                     : QStringLiteral("not an XML document");
        } else {
            why = "the root element '" + probe.root + "' does not belong to " + model + " documents";
        }
        *error = refused + Explain({why});
        return false;
    }
    if (!import()) {
        QStringList why = TakeLog();
        if (why.isEmpty()) why = validation.problems;
        if (why.isEmpty()) {
            why << "the file is a " + validation.model + " " + validation.kind +
                       (validation.import.isEmpty() ? QStringLiteral(", which no import takes")
                                                    : ", imported with: " + validation.import);
        }
        *error = refused + Explain(why);
        return false;
    }
    if (!save()) {
        *error = "imported, but the " + model + " store could not be saved" + Explain(TakeLog());
        return false;
    }
    *document = savedDocument();
    return true;
}

bool RunRename(const QString& model, const std::function<void()>& rename, const std::function<bool()>& save,
               QString* error) {
    rename();
    TakeLog();
    if (save()) return true;
    *error = "the " + model + " store could not be saved" + Explain(TakeLog());
    return false;
}

bool RunSave(const QString& model, const std::function<bool()>& save, QString* error) {
    TakeLog();
    if (save()) return true;
    *error = "the " + model + " store could not be saved" + Explain(TakeLog());
    return false;
}

bool RunExport(const QString& model, const Transfer& transfer, const std::function<bool()>& exportFile,
               QString* error) {
    TakeLog();
    if (exportFile()) return true;
    *error = "export from " + model + " failed: " + transfer.path + Explain(TakeLog());
    return false;
}

namespace {

const KindOperations& OperationsOf(const TransferTable& table, const QString& model, const QString& kind) {
    for (const KindOperations& operations : table.kinds)
        if (operations.kind == kind) return operations;
    throw UsageError{"unknown kind '" + kind + "' for " + model};
}

}  // namespace

bool ExportByKind(const QString& model, const Transfer& transfer, const TransferTable& table,
                  QString* error) {
    const KindOperations& operations = OperationsOf(table, model, transfer.kind);
    return RunExport(
        model, transfer, [&] { return operations.exportFile(transfer.path); }, error);
}

bool ImportByKind(StoreAdapter& adapter, const QString& model, const Transfer& transfer,
                  const TransferTable& table, QString* document, QString* error) {
    const KindOperations& operations = OperationsOf(table, model, transfer.kind);
    return RunImport(
        adapter, model, transfer, [&] { return operations.importFile(transfer.path); }, table.save,
        table.savedDocument, document, error);
}

void ReadForValidation(const DocumentProbe& probe, Validation* result, const std::function<bool()>& read) {
    TakeLog();
    result->read = read();
    if (probe.IsXmlError()) result->problems << probe.ErrorText();
    result->problems << TakeLog();
}

void AcceptWholeUnderFlag(LoadRules* rules, const std::function<bool()>& whole,
                          const std::function<bool()>& storeFlag,
                          const std::function<QString()>& countProblem,
                          const std::function<QString()>& flagProblem) {
    rules->accept = [=] { return whole() && storeFlag(); };
    rules->rejection = [=] {
        QStringList why;
        if (!whole()) why << countProblem();
        if (!storeFlag()) why << flagProblem();
        return why.join("; ");
    };
    rules->keeps = [=](const prefbook::LoadOutcome& outcome) {
        return outcome.accepted || (outcome.keep && whole());
    };
}

QString FlagMismatch(uint16_t flag, FlagWords words, uint16_t expected) {
    QString meaning = QStringLiteral("nothing known");
    for (const auto& [value, text] : words) {
        if (value == flag) {
            meaning = QString::fromLatin1(text);
            break;
        }
    }
    return "flag " + QString::number(flag) + " (" + meaning + "), the store expects " +
           QString::number(expected);
}

QString CountMismatch(int count, int expected, const QString& noun) {
    return "holds " + QString::number(count) + " " + noun + (count == 1 ? ", " : "s, ") +
           QString::number(expected) + " expected";
}

QString StoreExpects(int count, int expected) {
    return "holds " + QString::number(count) + (count == 1 ? " profile" : " profiles") +
           ", the store expects " + QString::number(expected);
}

void ValidateMacroFile(const DocumentProbe& probe, Validation* result, const QString& command,
                       const QString& refusal, const std::function<bool(int* count)>& read) {
    int count = 0;
    result->kind = QStringLiteral("macro file");
    result->unit = QStringLiteral("macros");
    ReadForValidation(probe, result, [&] { return read(&count); });
    result->profiles = count;
    result->storeLoad = "not accepted: " + refusal;
    if (result->read) result->import = ImportCommand(command, "macros", probe.path);
}

void JudgeStoreDocument(Validation* result, bool accepts, const QString& problem, const QString& note) {
    result->storeAccepts = result->read && accepts;
    if (!result->read) {
        result->storeLoad = QStringLiteral("skipped: does not read");
    } else if (result->storeAccepts) {
        result->storeLoad = QStringLiteral("accepted");
    } else {
        result->problems << problem;
        result->storeLoad = "not accepted: " + problem + note;
    }
}

QString ImportCommand(const QString& name, const QString& kind, const QString& path) {
    QStringList words{QStringLiteral("import"), name};
    if (!kind.isEmpty()) words << "--kind" << kind;
    return HintCommand(words << path);
}

}  // namespace prefbookctl
