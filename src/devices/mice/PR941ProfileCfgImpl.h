#pragma once

#include <QMutex>

#include "devices/mice/IPR941ProfileCfg.h"
#include "devices/mice/PR26xProfileStore.h"
#include "devices/mice/PR941Sections.h"

namespace prefbook {

// The PR941 store: the button mouse store with the PR941's lighting, five DPI steps and wireless
// settings; all-profile files carry the store flag and the paths, and merges are serialised.
class PR941ProfileCfgImpl final : public PR26xLitStore<IPR941ProfileCfg, PR941Profile> {
public:
    explicit PR941ProfileCfgImpl(const StoreHost& host) : PR26xLitStore(host, PR941Model()) {}

    void SetStarsMode(int idx, uint8_t mode) override;
    uint8_t GetStarsMode(int idx) override;
    void SetMusic(int idx, const MusicLighting& music) override;
    bool GetMusic(int idx, MusicLighting& music) override;
    void SetDpiStep(int idx, uint8_t step, uint16_t value) override { SetStep(idx, step, value); }
    void SetWireless(int idx, const WirelessSettings& wireless) override;
    bool GetWireless(int idx, WirelessSettings& wireless) override;
    bool ExportAllProfiles(const QString& path) override;
    bool ImportAllProfiles(const QString& path) override;
    bool MergeSaveProfile() override;

protected:
    bool Importable(const PR941Profile& profile) const override;

private:
    QMutex mergeMutex_;
};

}  // namespace prefbook
