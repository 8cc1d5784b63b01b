#include "Commands.h"

#include <QDir>
#include <QRegularExpression>

#include "CommandKit.h"
#include "SettingsCatalog.h"

namespace prefbookctl {

namespace {

// Every command group, in the order help lists them; a new group is one line here.
using CommandGroup = std::vector<CommandInfo> (*)();
const CommandGroup kGroups[] = {OverviewCommands, ProfileCommands, HistoryCommands, ValidateCommands,
                                DoctorCommands,   ArtworkCommands, TransferCommands};

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
        {options.force ? kTakesForce : 0u, "--force"}};
    for (const auto& [flag, option] : given) {
        if (flag && !(command.options & flag))
            throw UsageError{QString(option) + " is not taken by " + command.name};
    }
}

}  // namespace

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
        for (const CommandInfo& c : Commands()) {
            if (!QString(c.name).contains(' ')) words << c.name;
        }
    } else if (topic == "models") {
        for (const auto& adapter : Adapters()) words << adapter->Names();
    } else if (topic == "kinds") {
        if (StoreAdapter* adapter = FindAdapter(what.value(1))) words = adapter->TransferKinds();
    } else if (topic == "settings") {
        for (const Setting& s : Settings()) words << s.name;
    }
    return words;
}

QString CommandHelp(const QString& command) {
    const CommandInfo* c = FindCommand(command);
    if (!c) return {};
    QString text =
        QString("Usage: prefbookctl [--base DIR] [--json] ") + c->usage + "\n\n" + c->details + "\n";
    if (command == "export" || command == "import") {
        for (const auto& adapter : Adapters()) {
            if (!adapter->TransferKinds().isEmpty()) text += "  " + adapter->TransferHelp() + "\n";
        }
    }
    return text;
}

void RunCommand(const QStringList& args, const Options& options) {
    Invocation() = options;
    const QString command = args.value(0, "overview");
    // A two-word command ("settings get") wins over its first word.
    const CommandInfo* found = args.size() > 1 ? FindCommand(command + ' ' + args[1]) : nullptr;
    if (!found) found = FindCommand(command);
    if (!found) throw UsageError{"unknown command '" + command + "'"};
    RefuseOptions(*found, options);
    found->run(args, options);
}

}  // namespace prefbookctl
