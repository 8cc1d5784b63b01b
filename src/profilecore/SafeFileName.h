#pragma once

#include <QString>
#include <string>

namespace prefbook {

// The one way a name taken from a document or an interface call becomes a file or folder name: a
// single path component that stays inside the folder it is put in, on Linux and Windows alike.
//
// ASCII letters, digits, blank, '-', '_' and '.' stay as they are (a leading '.' excepted), so that
// ordinary names stay readable; every other byte, '%' included, becomes '%' and two upper-case hex
// digits. The empty name is "%", which no other name gives; a Windows device name ("con", "lpt1")
// has its first letter escaped. The result is at most kSafeFileNameMax characters: a longer
// encoding keeps its first part and ends in '~' and 32 hex digits of the name's SHA-256, a form no
// short name takes ('~' is escaped in those). Two names never give the same component on a file
// system that tells case apart; short forms decode back to the name.
constexpr int kSafeFileNameMax = 120;

QString SafeFileName(const std::string& name);

// The name a component made by SafeFileName stands for; false for a hashed (long) form or for a
// component SafeFileName does not make.
bool NameFromSafeFileName(const QString& component, std::string& name);

}  // namespace prefbook
