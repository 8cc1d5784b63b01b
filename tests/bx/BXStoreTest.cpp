// In-memory operations of both BX stores: lighting codes and flags.
#include <array>

#include "BXFixture.h"

namespace prefbook::test {
namespace {

template <class Store>
using BXStoreTest = BXTest<Store>;
TYPED_TEST_SUITE(BXStoreTest, BXStores);

BXEffect EffectWithId(uint8_t id) {
    BXEffect e{};
    e.id = id;
    e.bgBrightness = 77;
    return e;
}

TYPED_TEST(BXStoreTest, LightingSettersSetTheirModeCodes) {
    auto s = this->NewStore();
    std::array<uint8_t, kBXCustomBytes> colors{};
    colors.fill(9);
    const QVector<uint8_t> filters(kBXFilterRows * this->Width(), 3);
    const struct {
        const char* what;
        std::function<void()> set;
        int8_t mode;
    } cases[] = {
        {"general effect", [&] { s->SetGeneralEffect(1, 6, EffectWithId(7)); }, 7},
        {"custom colours", [&] { s->SetCustomColors(1, EffectWithId(33), colors.data()); }, 4},
        {"multilayer", [&] { s->SetMultilayerEffects(1, {EffectWithId(2)}); }, 18},
        {"multizone", [&] { s->SetMultizone(1, {EffectWithId(5)}, filters.data()); }, 19},
    };
    for (const auto& c : cases) {
        s->SetLightMode(1, 100);
        c.set();
        EXPECT_EQ(s->GetLightMode(1), c.mode) << c.what;
        EXPECT_EQ(s->GetLightMode(0), 0) << c.what << " touches its own record only";
    }
    BXEffect custom{};
    std::array<uint8_t, kBXCustomBytes> out{};
    ASSERT_TRUE(s->GetCustomColors(1, custom, out.data()));
    EXPECT_EQ(custom, EffectWithId(33));
    EXPECT_EQ(s->Records()[1].general[4], EffectWithId(33)) << "the custom effect sits at general position 4";
    EXPECT_EQ(out, colors);
}

// The multizone block is exactly four rows of the model's width, in and out.
TYPED_TEST(BXStoreTest, MultizoneBlockHoldsFourRowsOfTheModelsWidth) {
    auto s = this->NewStore();
    const int bytes = kBXFilterRows * this->Width();
    QVector<uint8_t> in(bytes);
    for (int i = 0; i < bytes; ++i) in[i] = static_cast<uint8_t>(i * 7 + 1);
    s->SetMultizone(2, {EffectWithId(4)}, in.data());
    QVector<uint8_t> out(bytes + 8, 0xEE);
    QVector<BXEffect> effects;
    s->GetMultizone(2, effects, out.data());
    EXPECT_EQ(out.mid(0, bytes), in);
    EXPECT_EQ(out.mid(bytes), QVector<uint8_t>(8, 0xEE)) << "nothing written past the block";
    EXPECT_EQ(effects, QVector<BXEffect>{EffectWithId(4)});
    EXPECT_EQ(s->Records()[2].filters[1][0], in[this->Width()]) << "row two starts one width in";
}

TYPED_TEST(BXStoreTest, ChangedMarkedAndProfileFlags) {
    auto s = this->NewStore();
    s->SetChanged(2, 1);
    EXPECT_TRUE(s->HasChanges());
    EXPECT_EQ(s->IsChanged(2), 1);
    s->ClearChanged();
    EXPECT_FALSE(s->HasChanges());
    EXPECT_EQ(s->IsChanged(2), 0);
    EXPECT_EQ(s->GetProfileFlag(2), 1) << "clearing changes leaves the profile flags";
    s->SetAllProfileFlags(0x1FE);
    EXPECT_EQ(s->GetProfileFlag(4), 0xFE);
    EXPECT_EQ(s->GetProfileFlag(5), 0);
    s->SetMarked(3);
    EXPECT_EQ(s->IsMarked(3), 1);
    EXPECT_EQ(s->IsMarked(2), 0);
    s->MarkAll();
    EXPECT_EQ(s->IsMarked(0), 1);
}

}  // namespace
}  // namespace prefbook::test
