#include <gtest/gtest.h>

#include <functional>

#include "devices/keypad/KeydeckProfileCfgImpl.h"
#include "keydeck/KeydeckFill.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

class KeydeckStore : public ::testing::TestWithParam<int> {
protected:
    TestHost t;
    int type = GetParam();
    int other = GetParam() == 19 ? 20 : 19;
    QString dir = t.habitat.ProfileDir(type);
    QString File(const char* name) { return t.habitat.GetBaseDir() + "/" + name; }
    std::unique_ptr<KeydeckProfileCfgImpl> Fresh() {
        return std::make_unique<KeydeckProfileCfgImpl>(t.Host());
    }
    // The free ids of a profile, in the order the pool hands them out (which empties it).
    std::vector<int> Drain(IKeydeckProfileCfg& store, int idx) {
        std::vector<int> pool;
        while (store.HasFreeMacroId(type, idx)) pool.push_back(store.TakeFreeMacroId(type, idx));
        return pool;
    }
    // first..last-1, then the extra ids in order.
    static std::vector<int> Ids(int first, int last, std::initializer_list<int> extra = {}) {
        std::vector<int> ids;
        for (int id = first; id < last; ++id) ids.push_back(id);
        ids.insert(ids.end(), extra);
        return ids;
    }
    // A document of the given flag whose profiles are named N0, N1, ...
    QByteArray Doc(int profiles, int flag, int current = 3, const char* root = "KEYDECK_G") {
        QByteArray xml = "<" + QByteArray(root) + " flag=\"" + QByteArray::number(flag) +
                         "\" exportPath=\"E\" currentProfileID=\"" + QByteArray::number(current) +
                         "\"><application><app path=\"p1\"/><app/><app path=\"p3\"/></application>";
        for (int i = 0; i < profiles; ++i)
            xml += "<profile id=\"" + QByteArray::number(i) + "\" name=\"N" + QByteArray::number(i) + "\"/>";
        return xml + "</" + root + ">";
    }
};

INSTANTIATE_TEST_SUITE_P(BothVariants, KeydeckStore, ::testing::Values(19, 20));

TEST_P(KeydeckStore, VariantsKeepTheirOwnProfilesFoldersAndDocuments) {
    auto store = Fresh();
    store->SetProfileName(type, 0, "mine");
    store->SetLightingMode(type, 0, 9);
    EXPECT_EQ(store->GetProfileName(other, 0), "PROFILE1");
    ASSERT_TRUE(store->SaveProfile(type));
    EXPECT_EQ(ListFolder(t.habitat.ProfileDir(other)).size(), 0);
    EXPECT_TRUE(store->Variant(other)->documentPath.isEmpty());

    auto reloaded = Fresh();
    EXPECT_EQ(reloaded->GetProfileName(type, 0), "mine");
    EXPECT_EQ(reloaded->GetLightingMode(type, 0), 9);
    EXPECT_EQ(reloaded->GetProfileName(other, 0), "PROFILE1");
}

// The root's name is not compared with the type: either variant's document loads into either.
TEST_P(KeydeckStore, LoadsTheOtherVariantsDocument) {
    PutDocument(dir, 1, Doc(24, 1282, 3, type == 19 ? "KEYDECK_C" : "KEYDECK_G"));
    auto store = Fresh();
    EXPECT_EQ(store->GetProfileName(type, 23), "N23");
    EXPECT_EQ(store->GetCurrentProfileId(type), 3);
    EXPECT_EQ(store->GetExportPath(type), "E");
    QStringList apps;
    store->GetAppPaths(apps);  // shared: the other variant falling back to defaults leaves them
    EXPECT_EQ(apps, QStringList({"p1", "", "p3"}));
}

TEST_P(KeydeckStore, PoolHandsOutEachIdOnceThenTwentyFour) {
    auto store = Fresh();
    for (int id = 0; id < 24; ++id) ASSERT_EQ(store->TakeFreeMacroId(type, 2), id);
    EXPECT_FALSE(store->HasFreeMacroId(type, 2));
    EXPECT_EQ(store->TakeFreeMacroId(type, 2), 24);
    EXPECT_EQ(store->TakeFreeMacroId(type, 2), 24);
    EXPECT_FALSE(store->AssignSimpleKey(type, 2, 0, {}));
    EXPECT_FALSE(store->AddMacroAssignment(type, 2, "m", 1));
    EXPECT_EQ(store->GetMacroNum(type, 2), 0);
    EXPECT_EQ(store->TakeFreeMacroId(type, 3), 0);  // every profile has its own pool
    store->ResetFreeMacroIds(type, 2);
    EXPECT_EQ(store->TakeFreeMacroId(type, 2), 0);
}

// Each key group: assigning takes the first free id into the record, deleting gives it back once,
// and a bad index, a negative key or an empty pool change nothing.
struct KeyGroup {
    const char* name;
    std::function<bool(IKeydeckProfileCfg&, int, int, int)> assign;  // type, idx, key
    std::function<void(IKeydeckProfileCfg&, int, int, int)> remove;
    std::function<int(IKeydeckProfileCfg&, int, int, int)> idAt;  // -1: absent
};

template <class Record>
KeyGroup Group(const char* name, bool (IKeydeckProfileCfg::*assign)(int, int, int, const Record&),
               void (IKeydeckProfileCfg::*remove)(int, int, int),
               bool (IKeydeckProfileCfg::*get)(int, int, int, Record&)) {
    return {name,
            [=](IKeydeckProfileCfg& s, int type, int idx, int key) {
                return (s.*assign)(type, idx, key, Record{});
            },
            [=](IKeydeckProfileCfg& s, int type, int idx, int key) { (s.*remove)(type, idx, key); },
            [=](IKeydeckProfileCfg& s, int type, int idx, int key) {
                Record r{};
                return (s.*get)(type, idx, key, r) ? MacroIdOf(r) : -1;
            }};
}

TEST_P(KeydeckStore, KeyGroupsDrawFromAndReturnToThePool) {
    using I = IKeydeckProfileCfg;
    const KeyGroup groups[] = {
        Group<SimpleKeyAssign>("simple", &I::AssignSimpleKey, &I::DeleteSimpleKey, &I::GetSimpleKey),
        Group<AdvancedKeyAssign>("advanced", &I::AssignAdvancedKey, &I::DeleteAdvancedKey,
                                 &I::GetAdvancedKey),
        Group<ShortcutKeyAssign>("shortcut", &I::AssignShortcutKey, &I::DeleteShortcutKey,
                                 &I::GetShortcutKey),
        Group<SpecialKeyAssign>("special", &I::AssignSpecialKey, &I::DeleteSpecialKey, &I::GetSpecialKey),
    };
    for (const KeyGroup& g : groups) {
        SCOPED_TRACE(g.name);
        auto store = Fresh();
        EXPECT_FALSE(g.assign(*store, type, 24, 1));
        EXPECT_FALSE(g.assign(*store, type, 0, -1));
        ASSERT_TRUE(g.assign(*store, type, 0, 5));
        ASSERT_TRUE(g.assign(*store, type, 0, 6));
        EXPECT_EQ(g.idAt(*store, type, 0, 5), 0);
        EXPECT_EQ(g.idAt(*store, type, 0, 6), 1);
        ASSERT_TRUE(g.assign(*store, type, 0, 5));  // replaces the entry, its old id stays out of the pool
        EXPECT_EQ(g.idAt(*store, type, 0, 5), 2);
        g.remove(*store, type, 0, 5);
        g.remove(*store, type, 0, 5);
        EXPECT_EQ(g.idAt(*store, type, 0, 5), -1);
        store->RemoveSlotAssignment(type, 0, 0);  // nothing holds slot 0: the pool is untouched
        const std::vector<int> pool = Drain(*store, 0);
        EXPECT_EQ(pool.size(), 22u);
        EXPECT_EQ(pool.back(), 2);  // given back once, at the end
    }
}

TEST_P(KeydeckStore, ClearingAGroupGivesEveryIdBack) {
    auto store = Fresh();
    for (int key : {4, 9}) ASSERT_TRUE(store->AssignSimpleKey(type, 1, key, {}));
    for (int key : {4, 9}) ASSERT_TRUE(store->AssignAdvancedKey(type, 1, key, {}));
    store->ClearSimpleKeys(type, 1);
    store->ClearAdvancedKeys(type, 1);
    SimpleKeyMap simple{{1, {}}};
    AdvancedKeyMap advanced{{1, {}}};
    ASSERT_TRUE(store->GetSimpleKeys(type, 1, simple));
    ASSERT_TRUE(store->GetAdvancedKeys(type, 1, advanced));
    EXPECT_TRUE(simple.empty() && advanced.empty());
    EXPECT_EQ(Drain(*store, 1), Ids(4, 24, {0, 1, 2, 3}));
}

TEST_P(KeydeckStore, ClaimingUsedIdsSkipsAdvancedKeys) {
    auto store = Fresh();
    store->SetSimpleKey(type, 1, 0, [] {
        SimpleKeyAssign k;
        k.macro.slot = 3;
        return k;
    }());
    store->SetAdvancedKey(type, 1, 0, {4, "", ""});
    store->SetShortcutKey(type, 1, 0, {0, 5});
    store->SetSpecialKey(type, 1, 0, {6, 0});
    store->SetMacroAssignments(type, 1, "m", {{40, 7}});
    store->ClaimUsedMacroIds(type, 1);
    std::vector<int> expected = Ids(8, 24);
    expected.insert(expected.begin(), {0, 1, 2, 4});
    EXPECT_EQ(Drain(*store, 1), expected);
}

TEST_P(KeydeckStore, MacroAssignmentsMoveIdsThroughThePool) {
    auto store = Fresh();
    ASSERT_TRUE(store->AddMacroAssignment(type, 0, "a", 27));
    ASSERT_TRUE(store->AddMacroAssignment(type, 0, "b", 27));
    ASSERT_TRUE(store->AddMacroAssignment(type, 0, "b", 28));
    ASSERT_TRUE(store->AddMacroAssignment(type, 0, "b", 28));  // the slot takes a new id; id 2 is lost
    KeydeckSlotMap b;
    ASSERT_TRUE(store->GetMacroAssignments(type, 0, "b", b));
    EXPECT_EQ(b, KeydeckSlotMap({{27, 1}, {28, 3}}));
    EXPECT_FALSE(store->GetMacroAssignments(type, 0, "unknown", b));
    EXPECT_FALSE(store->HasMacroAssignment(type, 0, "unknown"));
    EXPECT_EQ(store->GetMacroNum(type, 0), 2);

    store->RemoveSlotAssignment(type, 0, 28);  // slots from 28 on are not touched
    store->RemoveSlotAssignment(type, 0, 27);  // the first macro in table order holding it
    EXPECT_FALSE(store->HasMacroAssignment(type, 0, "a"));
    EXPECT_TRUE(store->HasMacroAssignment(type, 0, "b"));
    store->SetMacroAssignmentId(type, 0, "b", 28, 9);
    store->SetMacroAssignmentId(type, 0, "b", 5, 9);  // absent slot: no new assignment
    store->ClearAllMacroAssignments(type, 0);
    EXPECT_FALSE(store->HasMacroAssignment(type, 0, "b"));
    EXPECT_EQ(Drain(*store, 0), Ids(4, 24, {0, 1}));  // 2 and 3 were overwritten and are lost; 9 was free
}

TEST_P(KeydeckStore, MacroTableKeepsInsertionOrderThroughRenameAndDelete) {
    auto store = Fresh();
    for (const char* name : {"z", "a", "m"}) store->AddMacro(type, 1, name);
    store->SetMacroMode(type, 1, "z", 7);
    store->RenameMacro(type, 1, "z", "y");
    store->RenameMacro(type, 1, "a", "");
    std::vector<std::string> names;
    store->GetMacroNames(type, 1, names);
    EXPECT_EQ(names, std::vector<std::string>({"m", "y"}));
    EXPECT_EQ(store->GetMacroMode(type, 1, "y"), 7);
    EXPECT_EQ(store->GetMacroMode(type, 1, ""), 0);
    EXPECT_TRUE(t.log.Contains("KeydeckProfileCfg: GetMacroMode Failed. Profile Id[1]. Macro Name[]."));
    store->SetMacroMode(type, 30, "y", 1);
    EXPECT_TRUE(t.log.Contains("KeydeckProfileCfg: SetMacroMode Failed. Profile Id[30]. Macro Name[y]."));
}

TEST_P(KeydeckStore, ImportsRefuseTheOtherVariantsMacrosAndMarkANewCurrentProfile) {
    auto store = Fresh();
    FillDistinctKeydeck(*store, type);
    ASSERT_TRUE(store->ExportAllProfiles(type, File("all.xml")));
    ASSERT_TRUE(store->ExportMacroFile(type, File("macros.xml")));

    auto target = Fresh();
    target->SetCurrentProfileId(type, 2);
    EXPECT_FALSE(target->ImportMacroFile(other, File("macros.xml")));  // the other variant's root
    EXPECT_EQ(target->GetMacroNum(other, 0), 0);
    ASSERT_TRUE(target->ImportAllProfiles(type, File("all.xml")));
    EXPECT_EQ(target->GetCurrentProfileChanged(type), 1);
    EXPECT_EQ(target->GetCurrentProfileId(type), 5);
    EXPECT_EQ(target->GetCurrentProfileChanged(other), 0);
}

// Around a macro-file import the pool gives back the ids of the macros it held and then loses those
// the imported macros hold.
TEST_P(KeydeckStore, MacroFileImportRealignsThePool) {
    auto store = Fresh();
    store->SetMacroAssignments(type, 0, "old", {{1, 0}});
    store->SetMacroAssignments(type, 0, "x", {{2, 5}, {3, 6}});
    ASSERT_TRUE(store->ExportMacroFile(type, File("m.xml")));
    store->SetMacroAssignments(type, 0, "x", {{2, 20}});
    for (int i = 0; i < 24; ++i) store->TakeFreeMacroId(type, 0);  // empty pool
    ASSERT_TRUE(store->ImportMacroFile(type, File("m.xml")));
    EXPECT_EQ(Drain(*store, 0), std::vector<int>({20}));  // 0, 5 and 6 are held again
}

TEST_P(KeydeckStore, RewriteCarriesEditsIntoTheDocumentAndReplacesIt) {
    auto store = Fresh();
    ASSERT_FALSE(store->RewriteDocument(type));  // no document yet
    ASSERT_TRUE(store->SaveProfile(type));
    const QString path = store->Variant(type)->documentPath;
    store->SetProfileName(type, 4, "edited");
    store->AddMacroAssignment(type, 4, "m", 2);
    store->SetShortcutKey(type, 4, 1, {2, 3});
    store->SetLightingMode(type, 4, 6);  // the device side's: not carried
    ASSERT_TRUE(store->RewriteDocument(type));
    EXPECT_EQ(ListFolder(dir).size(), 1);

    auto reloaded = Fresh();
    EXPECT_EQ(reloaded->Variant(type)->documentPath, path);
    EXPECT_EQ(reloaded->GetProfileName(type, 4), "edited");
    EXPECT_TRUE(reloaded->HasMacroAssignment(type, 4, "m"));
    ShortcutKeyAssign k{};
    EXPECT_TRUE(reloaded->GetShortcutKey(type, 4, 1, k));
    EXPECT_EQ(reloaded->GetLightingMode(type, 4), 0);
}

TEST_P(KeydeckStore, LightingAndMarks) {
    auto store = Fresh();
    uint8_t colors[kKeydeckCustomColorBytes];
    for (int i = 0; i < kKeydeckCustomColorBytes; ++i) colors[i] = static_cast<uint8_t>(i);
    const KeydeckLightEffect effect{4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    store->SetCustomLighting(type, 7, effect, colors);
    KeydeckLightEffect got{};
    uint8_t back[kKeydeckCustomColorBytes] = {};
    ASSERT_TRUE(store->GetCustomLighting(type, 7, got, back));
    EXPECT_EQ(got, effect);
    EXPECT_EQ(back[71], 71);
    EXPECT_EQ(store->GetLightingMode(type, 7), 4);
    ASSERT_TRUE(store->GetLightEffect(type, 7, 3, got));
    EXPECT_EQ(got.id, 3);  // only effect 4 changed

    store->SetLayerColors(type, 7, 1, {{1, 2, 3, 4, 5}});
    store->ClearCustomEnables(type, 7);
    QVector<CustomColor> layer;
    ASSERT_TRUE(store->GetLayerColors(type, 7, 1, layer));
    EXPECT_EQ(layer, QVector<CustomColor>({{0, 2, 3, 4, 5}}));

    store->SetFlagB(type, 9, 5);
    EXPECT_EQ(store->GetSlotFlag(type, 9), 5);
    EXPECT_TRUE(store->HasFlagB(type));
    EXPECT_FALSE(store->HasFlagB(other));
    EXPECT_TRUE(store->HasFlagBAny());
    store->ClearFlagB(type);
    EXPECT_FALSE(store->HasFlagBAny());
    EXPECT_EQ(store->GetSlotFlag(type, 9), 5);  // the slot byte stays until filled
    store->FillSlotFlags(type, 2);
    EXPECT_EQ(store->GetSlotFlag(type, 23), 2);
    store->SetFlagA(type, 1);
    EXPECT_EQ(store->GetFlagA(type, 1), 1);
    store->ClearFlagA(type);
    EXPECT_EQ(store->GetFlagA(type, 1), 0);
    store->ResetCurrKey(type, 1);
    EXPECT_EQ(store->GetCurrKey(type, 1), 65535);
}

}  // namespace
}  // namespace prefbook::test
