#include "Commands.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

#include "CommandKit.h"
#include "SettingsCatalog.h"
#include "ToolHost.h"

namespace prefbookctl {

namespace {

// main answers help itself, before any folder is looked at.
std::vector<CommandInfo> HelpCommands() {
    return {{"help", "help [COMMAND]", "this text, or what one command does",
             "Prints the general help, or with COMMAND the same as 'prefbookctl COMMAND --help'.", nullptr}};
}

// Every command group, in the order help lists them; a new group is one line here.
using CommandGroup = std::vector<CommandInfo> (*)();
const CommandGroup kGroups[] = {OverviewCommands, ProfileCommands,  HistoryCommands,
                                ValidateCommands, DoctorCommands,   BackupCommands,
                                ArtworkCommands,  TransferCommands, HelpCommands};

const std::vector<CommandInfo>& Commands() {
    static const std::vector<CommandInfo> commands = [] {
        std::vector<CommandInfo> all;
        for (CommandGroup group : kGroups) {
            const std::vector<CommandInfo> some = group();
            all.insert(all.end(), some.begin(), some.end());
        }
        return all;
    }();
    return commands;
}

const CommandInfo* FindCommand(const QString& name) {
    for (const CommandInfo& c : Commands()) {
        if (name == QLatin1String(c.name)) return &c;
    }
    return nullptr;
}

// Options the command does not take are refused rather than ignored.
void RefuseOptions(const CommandInfo& command, const Options& options) {
    const std::pair<unsigned, const char*> given[] = {
        {options.kind.isEmpty() ? 0u : kTakesKind, "--kind"},
        {options.profile.isEmpty() ? 0u : kTakesProfile, "--profile"},
        {options.aimMode.isEmpty() ? 0u : kTakesAimMode, "--aim-mode"},
        {options.force ? kTakesForce : 0u, "--force"},
        {options.all ? kTakesAll : 0u, "--all"},
        {options.dryRun ? kTakesDryRun : 0u, "--dry-run"}};
    for (const auto& [flag, option] : given) {
        if (flag && !(command.options & flag))
            throw UsageError{QString(option) + " is not taken by " + command.name};
    }
}

int EditDistance(const QString& a, const QString& b) {
    std::vector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j) row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The stores' option lines ("kr720 --kind record [--profile P]  record P x 5 + M") in two aligned
// columns; a note or a continued description goes in the second.
QString AlignedUsage(const QStringList& lines) {
    static const QRegularExpression gap(QStringLiteral("\\S\\s{2,}"));
    QVector<QPair<QString, QString>> rows;
    int width = 0;
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = gap.match(line);
        if (line.startsWith(' ') || !m.hasMatch()) {
            rows.append({QString(), line.trimmed()});
        } else {
            rows.append({line.left(m.capturedStart() + 1), line.mid(m.capturedEnd()).trimmed()});
            width = std::max(width, rows.last().first.size());
        }
    }
    QString text;
    for (const auto& row : rows) text += "  " + row.first.leftJustified(width) + "  " + row.second + "\n";
    return text;
}

QStringList CommandWords() {
    QStringList words;
    for (const CommandInfo& c : Commands()) {
        if (!QString(c.name).contains(' ')) words << c.name;
    }
    return words;
}

}  // namespace

QString Nearest(const QString& word, const QStringList& candidates) {
    QString best;
    int bestDistance = std::max(2, word.size() / 3) + 1;  // further off is a different word
    for (const QString& candidate : candidates) {
        const int d = EditDistance(word.toLower(), candidate.toLower());
        if (d < bestDistance) {
            best = candidate;
            bestDistance = d;
        }
    }
    return best;
}

QString UnknownCommand(const QString& command) {
    const QString nearest = Nearest(command, CommandWords());
    return "unknown command '" + command + "'" +
           (nearest.isEmpty() ? QString() : " (did you mean " + nearest + "?)") +
           "; commands: " + CommandWords().join(", ");
}

QString ShellQuote(const QString& word) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:=@%+,-]+$"));
    if (plain.match(word).hasMatch()) return word;
    return "'" + QString(word).replace("'", "'\\''") + "'";
}

QString HintCommand(QStringList words) {
    words.prepend(QDir(BaseDir()).absolutePath());
    words.prepend(QStringLiteral("--base"));
    if (!Invocation().profile.isEmpty()) words << "--profile" << Invocation().profile;
    if (!Invocation().aimMode.isEmpty()) words << "--aim-mode" << Invocation().aimMode;
    QStringList quoted{QStringLiteral("prefbookctl")};
    for (const QString& word : words) quoted << ShellQuote(word);
    return quoted.join(' ');
}

QString CommandSummary() {
    QString text;
    for (const CommandInfo& c : Commands())
        text += "  " + QString(c.usage).leftJustified(28) +
                (QString(c.usage).size() > 27 ? "\n" + QString(30, ' ') : "") + c.summary + "\n";
    return text;
}

QStringList CompletionWords(const QStringList& what) {
    QStringList words;
    const QString topic = what.value(0);
    if (topic == "commands") {
        words = CommandWords();
    } else if (topic == "models") {
        // Only the models the command can act on.
        const QString command = what.value(1);
        for (const auto& adapter : Adapters()) {
            const bool takes = command == "export" || command == "import"
                                   ? !adapter->TransferKinds().isEmpty()
                               : command == "rename"  ? adapter->HasProfileNames()
                               : command == "artwork" ? adapter->Names().contains("pr940")
                                                      : true;
            if (takes) words << adapter->Names();
        }
    } else if (topic == "kinds") {
        if (StoreAdapter* adapter = FindAdapter(what.value(1))) words = adapter->TransferKinds();
    } else if (topic == "profiles") {
        if (StoreAdapter* adapter = FindAdapter(what.value(1))) {
            for (int i = 0; i < adapter->Summary().profileCount; ++i) words << QString::number(i);
        }
    } else if (topic == "settings") {
        for (const Setting& s : Settings()) {
            if (what.value(1) != "writable" || s.write) words << s.name;
        }
    } else if (topic == "values") {
        const Setting* setting = FindSetting(what.value(1));
        if (setting && setting->kind == ValueKind::Bool)
            words << "true"
                  << "false";
    } else if (topic == "artworks") {
        words = ArtworkWords(what.mid(1));
    }
    return words;
}

QStringList ModelNames() {
    QStringList names;
    for (const auto& adapter : Adapters()) names << adapter->Names().first();
    return names;
}

QString CommandHelp(const QString& command) {
    const CommandInfo* c = FindCommand(command);
    if (!c) return {};
    QString text =
        QString("Usage: prefbookctl [--base DIR] [--json] ") + c->usage + "\n\n" + c->details + "\n";
    if (command == "export" || command == "import") {
        QStringList lines;
        for (const auto& adapter : Adapters()) {
            if (!adapter->TransferKinds().isEmpty()) lines += adapter->TransferHelp().split('\n');
        }
        text += AlignedUsage(lines);
    }
    return text;
}

void RunCommand(const QStringList& args, const Options& options) {
    Invocation() = options;
    const QString command = args.value(0, "overview");
    // A two-word command ("settings get") wins over its first word.
    const CommandInfo* found = args.size() > 1 ? FindCommand(command + ' ' + args[1]) : nullptr;
    if (!found) found = FindCommand(command);
    if (!found || !found->run) throw UsageError{UnknownCommand(command)};
    RefuseOptions(*found, options);
    NoteNewestDocuments();
    found->run(args, options);
}

}  // namespace prefbookctl
