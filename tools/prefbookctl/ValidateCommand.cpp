#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "CommandKit.h"
#include "DocumentProbe.h"

namespace prefbookctl {

namespace {

QString YesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

void Validate(const QStringList& args, const Options& options) {
    ExpectArgs(args, 2, "validate FILE");
    const QString path = QFileInfo(args[1]).absoluteFilePath();
    const DocumentProbe probe = ProbeDocument(path);
    if (!probe.opened) throw RunError{"cannot open " + path + ": " + probe.openError};

    Validation result;
    bool claimed = false;
    for (const auto& adapter : Adapters()) {
        if ((claimed = adapter->Validate(probe, &result))) break;
    }
    if (!claimed) {
        result.kind = QStringLiteral("unknown");
        result.storeLoad = QStringLiteral("no store reads it");
        if (probe.IsXmlError()) result.problems << probe.ErrorText();
        result.problems << (probe.root.isEmpty() ? QStringLiteral("no root element: not a store's document")
                                                 : "root element '" + probe.root + "' belongs to no store");
    }

    if (options.json) {
        QJsonArray problems;
        for (const QString& p : result.problems) problems.append(p);
        PrintJson({{"file", path},
                   {"model", result.model},
                   {"kind", result.kind},
                   {"flag", probe.hasFlag ? QJsonValue(probe.flagText) : QJsonValue()},
                   {"count", result.profiles},
                   {"unit", result.unit},
                   {"read", result.read},
                   {"storeAccepts", result.storeAccepts},
                   {"storeLoad", result.storeLoad},
                   {"import", result.import},
                   {"valid", result.Valid()},
                   {"problems", problems}});
    } else {
        QVector<QPair<QString, QString>> rows = {
            {"File", path},
            {"Model", result.model.isEmpty() ? QStringLiteral("-") : result.model},
            {"Kind", result.kind + (probe.hasFlag ? " (flag " + probe.flagText + ")" : QString())},
            {"Holds", QString::number(result.profiles) + " " +
                          (result.profiles == 1 ? result.unit.chopped(1) : result.unit)},
            {"Reads", YesNo(result.read)},
            {"Store load", result.storeLoad},
            {"Import", result.import.isEmpty() ? QStringLiteral("none") : result.import},
            {"Valid", YesNo(result.Valid())}};
        QString text = KeyValueText(rows);
        if (result.problems.isEmpty()) {
            text += "Problems: none\n";
        } else {
            text += "Problems:\n";
            for (const QString& p : result.problems) text += "  " + p + "\n";
        }
        PrintText(text);
    }
    if (!result.Valid()) throw CheckFailed{};
}

}  // namespace

std::vector<CommandInfo> ValidateCommands() {
    return {
        {"validate", "validate FILE", "check a document or export file with its store's reader",
         "Recognises the store from the root element (and the KR720 kind from its \"flag\"), reads the\n"
         "file with that store's reader, and prints the model, the kind, what it holds, whether the\n"
         "store's load would accept it, which import takes it and every problem found: the first XML\n"
         "error with its line and column, and every line the reader logs. A \".bin\" file that is not\n"
         "XML is taken for an FT610 record.\n"
         "Exit status 0 when a store's load or an import takes the file, 1 when none does.",
         Validate, 0},
    };
}

}  // namespace prefbookctl
