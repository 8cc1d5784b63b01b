#pragma once

// What a folder may hold after a power loss at any point of a recorded write, as a journaling file
// system with delayed allocation may leave it, and no better:
// - file data not yet made durable by fsync/fdatasync may be kept, lost (back to what was durable),
//   emptied, cut at half or zero-filled over its length;
// - folder changes (create, rename, link, unlink, mkdir) not yet made durable by an fsync of their
//   folder may be lost, and independent ones (no shared name, file or folder) persist in any order;
// - what was made durable stays.

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace prefbook::test {

// One recorded call (see shim/Recorder.c for the letters).
struct TraceEvent {
    char kind = 0;
    quint64 ino = 0;
    QString a, b;      // paths relative to the root
    qint64 mtime = 0;  // D: nanoseconds
    QByteArray data;   // D: the whole file
};

std::vector<TraceEvent> ParseTrace(const QByteArray& log);

struct FileState {
    QByteArray content;
    qint64 mtime = 0;
    quint64 ino = 0;
    bool operator==(const FileState& o) const { return content == o.content && mtime == o.mtime; }
};

// A folder tree: files by relative path and the folders that exist.
struct Tree {
    std::map<QString, FileState> files;
    std::set<QString> dirs;
    bool operator==(const Tree& o) const { return files == o.files && dirs == o.dirs; }
    QByteArray Key() const;  // equal trees, equal keys
};

Tree ScanTree(const QString& root);
void Materialise(const QString& root, const Tree& tree);  // makes root hold exactly tree
QString Describe(const Tree& tree);                       // names and sizes, for failure messages

struct CrashState {
    int point;    // events before the crash; events.size() is "after the write returned"
    QString how;  // the ops lost and the data variants, for failure messages
    Tree tree;
};

struct ExploreLimits {
    int maxPendingOps = 10;   // all subsets up to here, else the most recent ones are varied
    int statesPerPoint = 48;  // data variants beyond this are sampled
};

// Every crash state of the trace over the initial tree, each distinct tree once (the earliest point
// that gives it, except that states of the final point are always kept: they carry the stricter rule).
std::vector<CrashState> ExploreCrashStates(const Tree& initial, const std::vector<TraceEvent>& events,
                                           const ExploreLimits& limits = {});

// The tree the trace leaves when nothing is lost: must equal the folder after the write.
Tree FinalTree(const Tree& initial, const std::vector<TraceEvent>& events);

}  // namespace prefbook::test
