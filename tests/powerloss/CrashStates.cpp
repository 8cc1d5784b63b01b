#include "powerloss/CrashStates.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <climits>
#include <random>

namespace prefbook::test {

std::vector<TraceEvent> ParseTrace(const QByteArray& log) {
    std::vector<TraceEvent> events;
    int at = 0;
    while (at < log.size()) {
        const int end = log.indexOf('\n', at);
        if (end < 0) break;
        const QList<QByteArray> fields = log.mid(at, end - at).split('\t');
        at = end + 1;
        TraceEvent e;
        e.kind = fields[0].isEmpty() ? 0 : fields[0][0];
        const bool numbered = QByteArray("CTDSI").contains(e.kind);
        if (numbered) e.ino = fields.value(1).toULongLong();
        const int firstPath = numbered ? 2 : 1;
        e.a = QFile::decodeName(fields.value(firstPath));
        e.b = QFile::decodeName(fields.value(firstPath + 1));
        if (e.kind == 'I') std::swap(e.a, e.b);
        if (e.kind == 'D') {
            e.mtime = fields.value(2).toLongLong();
            const int size = fields.value(3).toInt();
            e.data = log.mid(at, size);
            at += size + 1;
            e.a.clear();
            e.b.clear();
        }
        events.push_back(std::move(e));
    }
    return events;
}

QByteArray Tree::Key() const {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& dir : dirs) hash.addData(dir.toUtf8() + "/\n");
    for (const auto& [path, file] : files) {
        hash.addData(path.toUtf8() + '\0' + QByteArray::number(file.mtime) + '\0');
        hash.addData(QCryptographicHash::hash(file.content, QCryptographicHash::Sha1));
    }
    return hash.result();
}

Tree ScanTree(const QString& root) {
    Tree tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = base.relativeFilePath(path);
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
            tree.dirs.insert(rel);
        } else if (S_ISREG(st.st_mode)) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            tree.files[rel] = {file.readAll(), qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
                               quint64(st.st_ino)};
        }
    }
    return tree;
}

void Materialise(const QString& root, const Tree& tree) {
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    for (const QString& dir : tree.dirs) QDir(root).mkpath(dir);
    for (const auto& [path, state] : tree.files) {
        const QString full = root + '/' + path;
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly)) continue;
        file.write(state.content);
        file.close();
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {time_t(state.mtime / 1000000000LL), long(state.mtime % 1000000000LL)}};
        ::utimensat(AT_FDCWD, QFile::encodeName(full).constData(), times, 0);
    }
}

QString Describe(const Tree& tree) {
    QStringList lines;
    for (const auto& [path, file] : tree.files)
        lines << QStringLiteral("  %1 (%2 bytes)").arg(path).arg(file.content.size());
    return lines.join('\n');
}

namespace {

struct Object {
    QByteArray current, durable;
    qint64 mtime = 0;
};

// A folder change and what makes it durable: an fsync of each folder it touched.
struct Op {
    char kind;
    QString a, b;
    int object = -1;
    int event = 0;
    int durableAt = INT_MAX;  // the number of events after which it is durable
    std::set<QString> unsynced;
};

QString ParentOf(const QString& path) {
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QString() : path.left(slash);
}

bool Within(const QString& path, const QString& dir) {
    return !dir.isEmpty() && path.startsWith(dir + '/');
}

// Later op b cannot persist without a: they share a name, a file, or b lies in a folder a makes.
bool DependsOn(const Op& b, const Op& a) {
    for (const QString& x : {a.a, a.b})
        for (const QString& y : {b.a, b.b})
            if (!x.isEmpty() && !y.isEmpty() && (x == y || Within(y, x) || Within(x, y))) return true;
    return a.object >= 0 && a.object == b.object;
}

struct Namespace {
    std::map<QString, int> names;
    std::set<QString> dirs;

    void Apply(const Op& op) {
        switch (op.kind) {
            case 'C':
                names[op.a] = op.object;
                break;
            case 'I':
                names[op.b] = op.object;
                break;
            case 'L':
                if (names.count(op.a)) names[op.b] = names[op.a];
                break;
            case 'R':
                if (names.count(op.a)) {
                    names[op.b] = names[op.a];
                    names.erase(op.a);
                }
                break;
            case 'U':
                names.erase(op.a);
                break;
            case 'M':
                dirs.insert(op.a);
                break;
            case 'X':
                dirs.erase(op.a);
                break;
            default:
                break;
        }
    }
};

// The model run over the trace: the objects as they stand after each number of events.
struct Replay {
    std::vector<Op> ops;
    std::vector<std::vector<Object>> objectsAt;  // [point][object]
    Namespace initial;
};

Replay Run(const Tree& initial, const std::vector<TraceEvent>& events) {
    Replay r;
    std::vector<Object> objects;
    std::map<quint64, int> byIno;
    Namespace full;
    for (const auto& [path, file] : initial.files) {
        byIno[file.ino] = int(objects.size());
        full.names[path] = int(objects.size());
        objects.push_back({file.content, file.content, file.mtime});
    }
    full.dirs = initial.dirs;
    r.initial = full;
    const auto objectOf = [&](quint64 ino) {
        if (!byIno.count(ino)) {  // opened outside the root's initial files: starts empty
            byIno[ino] = int(objects.size());
            objects.push_back({});
        }
        return byIno[ino];
    };
    r.objectsAt.push_back(objects);
    for (size_t i = 0; i < events.size(); ++i) {
        const TraceEvent& e = events[i];
        Op op{e.kind, e.a, e.b};
        op.event = int(i);
        switch (e.kind) {
            case 'C':
            case 'T':
                byIno[e.ino] = int(objects.size());
                objects.push_back({});
                op.object = byIno[e.ino];
                break;
            case 'D': {
                Object& o = objects[objectOf(e.ino)];
                o.current = e.data;
                o.mtime = e.mtime;
                break;
            }
            case 'S': {
                Object& o = objects[objectOf(e.ino)];
                o.durable = o.current;
                break;
            }
            case 'I':
                op.object = objectOf(e.ino);
                break;
            case 'R':
            case 'L':
            case 'U':
                op.object = full.names.count(e.a) ? full.names[e.a] : -1;
                break;
            case 'Y':
                for (Op& pending : r.ops) {
                    pending.unsynced.erase(e.a);
                    if (pending.unsynced.empty() && pending.durableAt == INT_MAX)
                        pending.durableAt = int(i) + 1;
                }
                break;
            default:
                break;
        }
        if (QByteArray("CILRUMX").contains(e.kind)) {
            if (e.kind != 'I') op.unsynced.insert(ParentOf(e.a));
            if (!e.b.isEmpty()) op.unsynced.insert(ParentOf(e.b));
            full.Apply(op);
            r.ops.push_back(op);
        }
        r.objectsAt.push_back(objects);
    }
    return r;
}

using Variant = std::pair<FileState, const char*>;

std::vector<Variant> Variants(const Object& o) {
    std::vector<Variant> variants;
    const auto add = [&](const QByteArray& content, const char* label) {
        const FileState s{content, o.mtime};
        for (const Variant& v : variants)
            if (v.first == s) return;
        variants.emplace_back(s, label);
    };
    add(o.current, "as written");
    if (o.current == o.durable) return variants;
    add(o.durable, "durable part");
    add(QByteArray(), "empty");
    add(o.current.left(o.current.size() / 2), "cut at half");
    add(QByteArray(o.current.size(), '\0'), "zero-filled");
    return variants;
}

}  // namespace

Tree FinalTree(const Tree& initial, const std::vector<TraceEvent>& events) {
    const Replay r = Run(initial, events);
    Namespace ns = r.initial;
    for (const Op& op : r.ops) ns.Apply(op);
    Tree tree;
    tree.dirs = ns.dirs;
    for (const auto& [path, object] : ns.names) {
        const Object& o = r.objectsAt.back()[size_t(object)];
        tree.files[path] = {o.current, o.mtime};
    }
    return tree;
}

std::vector<CrashState> ExploreCrashStates(const Tree& initial, const std::vector<TraceEvent>& events,
                                           const ExploreLimits& limits) {
    const Replay r = Run(initial, events);
    std::vector<CrashState> states;
    std::set<QByteArray> seen;
    std::mt19937 random(29);
    const int last = int(events.size());
    for (int point = 0; point <= last; ++point) {
        // The folder changes made so far: durable ones always persist, the others are varied.
        std::vector<int> made, varied;
        for (size_t i = 0; i < r.ops.size() && r.ops[i].event < point; ++i) made.push_back(int(i));
        std::set<int> must;
        for (int i : made)
            if (r.ops[size_t(i)].durableAt <= point) must.insert(i);
        // What a durable change depends on persisted too.
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            if (must.count(*it))
                for (int j : made)
                    if (j < *it && DependsOn(r.ops[size_t(*it)], r.ops[size_t(j)])) must.insert(j);
        for (int i : made)
            if (!must.count(i)) varied.push_back(i);
        // Beyond the bound only the most recent changes are varied; the older ones persisted.
        while (int(varied.size()) > limits.maxPendingOps) {
            must.insert(varied.front());
            varied.erase(varied.begin());
        }
        const std::vector<Object>& objects = r.objectsAt[size_t(point)];
        for (unsigned mask = 0; mask < (1u << varied.size()); ++mask) {
            std::set<int> kept = must;
            QStringList lost;
            for (size_t v = 0; v < varied.size(); ++v) {
                const Op& op = r.ops[size_t(varied[v])];
                if (mask & (1u << v))
                    kept.insert(varied[v]);
                else
                    lost << QStringLiteral("%1 %2%3").arg(op.kind).arg(op.a,
                                                                       op.b.isEmpty() ? "" : " -> " + op.b);
            }
            bool closed = true;
            for (int k : kept)
                for (int j : made)
                    if (j < k && !kept.count(j) && DependsOn(r.ops[size_t(k)], r.ops[size_t(j)]))
                        closed = false;
            if (!closed) continue;
            Namespace ns = r.initial;
            for (int k : kept) ns.Apply(r.ops[size_t(k)]);
            // The files whose data is not all durable, and what each may hold.
            std::vector<std::pair<QString, std::vector<Variant>>> files;
            size_t combinations = 1;
            for (const auto& [path, object] : ns.names) {
                if (!ParentOf(path).isEmpty() && !ns.dirs.count(ParentOf(path))) continue;
                files.emplace_back(path, Variants(objects[size_t(object)]));
                combinations *= files.back().second.size();
            }
            const size_t count = std::min<size_t>(combinations, size_t(limits.statesPerPoint));
            for (size_t c = 0; c < count; ++c) {
                // Enumerated while they fit; beyond, the all-kept and all-lost ones and a fixed sample.
                Tree tree;
                tree.dirs = ns.dirs;
                QStringList how = lost;
                size_t index = c;
                for (auto& [path, variants] : files) {
                    size_t pick = 0;
                    if (combinations <= size_t(limits.statesPerPoint))
                        pick = index % variants.size();
                    else if (c == 1)
                        pick = variants.size() > 1 ? 1 : 0;
                    else if (c > 1)
                        pick = random() % variants.size();
                    index /= variants.size();
                    tree.files[path] = variants[pick].first;
                    if (pick > 0) how << path + ": " + variants[pick].second;
                }
                const bool fresh = seen.insert(tree.Key()).second;
                if (fresh || point == last)
                    states.push_back({point, how.isEmpty() ? QStringLiteral("nothing lost") : how.join("; "),
                                      std::move(tree)});
            }
        }
    }
    return states;
}

}  // namespace prefbook::test
