#pragma once

#include <map>

#include "devices/mousepads/IFT280ProfileCfg.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

// One store for the three FT280 sizes. Each size keeps its own profile list, folder and documents.
class FT280ProfileCfgImpl final : public IFT280ProfileCfg {
public:
    // Loads types 16, 17 and 18, in this order, each from its own profile folder.
    explicit FT280ProfileCfgImpl(const StoreHost& host);

    bool SetCustomColors(int type, const QVector<CustomColor>& colors) override;
    bool GetCustomColors(int type, QVector<CustomColor>& colors) override;
    void SetModeSetting(int type, uint8_t index, const ModeSetting& setting) override;
    bool GetModeSetting(int type, uint8_t index, ModeSetting& setting) override;
    void SetModeSettings(int type, const QVector<ModeSetting>& settings) override;
    bool GetModeSettings(int type, QVector<ModeSetting>& settings) override;
    void SetCurrMode(int type, uint8_t mode) override;
    uint8_t GetCurrMode(int type) override;
    bool SaveProfile(int type) override;
    bool ExportProfile(int type, const QString& path) override;
    bool ImportProfile(int type, const QString& path) override;

    static FT280Profile DefaultProfile();
    // Whether the load takes a document that read as this list: one profile per size.
    static bool Accepts(const QVector<FT280Profile>& profiles) { return profiles.size() == 1; }

    // For tools: the document the load kept for a size (empty for the default profile), and its
    // profile list (empty for a type this store does not serve).
    QString LoadedFrom(int type) const {
        const auto it = loadedFrom_.find(type);
        return it == loadedFrom_.end() ? QString() : it->second;
    }
    QVector<FT280Profile> ProfileList(int type) const {
        const auto it = profiles_.find(type);
        return it == profiles_.end() ? QVector<FT280Profile>() : it->second;
    }

private:
    void Load(int type);
    // The profile list of a served type, or null for a type this store does not serve.
    QVector<FT280Profile>* Profiles(int type);
    // The first profile of a served type, or null when the type is not served or its list is empty
    // (after an import that failed).
    FT280Profile* Profile(int type);

    StoreHost host_;
    std::map<int, QVector<FT280Profile>> profiles_;
    std::map<int, QString> loadedFrom_;
};

}  // namespace prefbook
