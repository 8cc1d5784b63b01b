#pragma once

#include "devices/textlight/IVL550ProfileCfg.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

class VL550ProfileCfgImpl final : public IVL550ProfileCfg {
public:
    // The folder under the base directory that the startup load looks in.
    static const QString kFolder;           // "/profile/VL550/"
    static const QString kLoadDefaultPath;  // the document LoadDocument reads for an empty path
    static const QString kDefaultDocument;  // the path IsDefaultDocument compares with

    // Creation values, then the startup load from the profile folder.
    explicit VL550ProfileCfgImpl(const StoreHost& host);

    // Whether the load takes its one named document once it reads: nothing in it can be refused.
    static bool Accepts(const VL550Profile&) { return true; }

    void SetChangeFlag(uint8_t flag) override { profile_.changed = flag; }
    bool IsChanged() override { return profile_.changed != 0; }
    uint8_t GetChangeFlag() override { return profile_.changed; }
    void ClearChangeFlag() override { profile_.changed = 0; }
    bool IsDefaultDocument() override { return docPath_ == kDefaultDocument; }
    void SetCurrMode(uint8_t mode) override { profile_.currMode = mode; }
    uint8_t GetCurrMode() override { return profile_.currMode; }
    void SetModeSettingAt(uint8_t index, const VLModeSetting& setting) override;
    bool GetModeSettingAt(uint8_t index, VLModeSetting& setting) override;
    void SetModeSetting(const VLModeSetting& setting) override;
    bool GetCurrentModeSetting(VLModeSetting& setting) override;
    void SetCustomBlock(const uint8_t* block) override;
    bool GetCustomBlock(uint8_t* block) override;
    void SetCustomColors(int unused, const QVector<CustomColor>& colors) override;
    bool GetCustomColors(int unused, QVector<CustomColor>& colors) override;
    void Reserved() override {}
    void SetText(const uint8_t* text) override;
    bool GetText(uint8_t* text) override;
    bool LoadDocument(const QString& path) override;
    bool SaveDocumentAs(const QString& path) override;
    bool SaveDocument() override;

    const QString& DocumentPath() const { return docPath_; }
    const VL550Profile& Profile() const { return profile_; }

private:
    void StartupLoad();
    void ApplyDefaultModes();
    // The entry at index; std::out_of_range("invalid vector subscript") past the list.
    VLModeSetting& ModeAt(size_t index);

    StoreHost host_;
    QString docPath_;
    VL550Profile profile_;
};

}  // namespace prefbook
