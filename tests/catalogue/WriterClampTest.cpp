#include <QBuffer>
#include <algorithm>

#include "catalogue/StoreCatalogue.h"
#include "devices/keyboards/KR720ProfileCfgImpl.h"
#include "devices/keyboards/TLProfileStore.h"
#include "profilecore/MacroModel.h"

namespace prefbook::test {
namespace {

// A record whose count claims more steps than it holds, as a caller may hand one over. A writer that
// trusts the count reads past the array, which AddressSanitizer reports; the count shows it anyway.
template <class Record>
Record Overfull() {
    Record r{};
    SetRecordName(r, "over");
    r.actionCount = 255;
    for (int i = 0; i < kMacroActionCapacity; ++i) r.actions[i] = {uint16_t(i + 1), 1, 7};
    return r;
}

int Actions(const QByteArray& doc) {
    return doc.count("<action ");
}

template <class Entry>
QByteArray WrittenMacros(const Entry& entry) {
    using Model = MacroModel<Entry, SlotKeyAssign>;
    const std::string path, curr;
    typename Model::Map macros{{"over", entry}};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteXmlDevice(buffer, [&](QXmlStreamWriter& w) { Model::Write(w, {path, curr, macros}); }));
    return buffer.data();
}

TEST(WriterClamp, MacroWritersStopAtTheRecordsCapacity) {
    MacroEntry shortEntry;
    shortEntry.record = Overfull<MacroRecord>();
    MacroEntryLong longEntry;
    longEntry.record = Overfull<MacroRecordLong>();
    EXPECT_EQ(Actions(WrittenMacros(shortEntry)), kMacroActionCapacity) << "MacroRecord";
    EXPECT_EQ(Actions(WrittenMacros(longEntry)), kMacroActionCapacity) << "MacroRecordLong";

    TestHost t;
    KR720ProfileCfgImpl kr720(t.Host());
    kr720.SetCurrProfile(0);
    kr720.SetCurrAimMode(0);
    kr720.SetMacro(0, "over", Overfull<MacroRecord>());
    EXPECT_EQ(Actions(SaveAndRead(t, KR720, "xml", [&] { return kr720.SaveProfile(); })),
              kMacroActionCapacity);
    const QString file = t.habitat.GetBaseDir() + "/macros.xml";
    ASSERT_TRUE(kr720.ExportMacroFile(file));
    EXPECT_EQ(Actions(ReadAll(file)), kMacroActionCapacity) << "macro file";

    // The bulk transfer fills one buffer per assignment, at most as many as the block holds: the
    // pointers after them point into the store.
    for (int i = 0; i < kKR720BlockMacros + 5; ++i) kr720.AddMacroAssignment(0, "over", {1, uint16_t(i + 1)});
    MacroRecord buffers[kKR720BlockMacros] = {};
    KR720ProfileBlock block{};
    for (int i = 0; i < kKR720BlockMacros; ++i) block.macros[i] = &buffers[i];
    ASSERT_TRUE(kr720.GetProfileBlock(0, block));
    EXPECT_EQ(buffers[kKR720BlockMacros - 1].key, kKR720BlockMacros);
    uint16_t keys[kKR720SpecKeys];
    ASSERT_TRUE(kr720.GetSpecKeys(0, keys));
    EXPECT_EQ(std::count(keys, keys + kKR720SpecKeys, 0), kKR720SpecKeys) << "a buffer past the block";

    TL480ProfileCfgImpl tl480(t.Host());
    tl480.SetMacro(0, "over", Overfull<MacroRecord>());
    EXPECT_EQ(Actions(SaveAndRead(t, TL480B, "xml", [&] { return tl480.SaveProfile(); })),
              kMacroActionCapacity);
}

}  // namespace
}  // namespace prefbook::test
