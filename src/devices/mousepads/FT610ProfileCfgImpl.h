#pragma once

#include "devices/mousepads/IFT610ProfileCfg.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

class FT610ProfileCfgImpl final : public IFT610ProfileCfg {
public:
    // Starts from an all-zero record, then takes the newest ".bin" document that opens.
    explicit FT610ProfileCfgImpl(const StoreHost& host);

    void SetRecord(const FT610Record* record) override;
    const FT610Record* GetRecord() override { return &record_; }
    void SetHeaderA(uint32_t value) override { record_.headerA = value; }
    uint32_t GetHeaderA() override { return record_.headerA; }
    void SetHeaderB(uint32_t value) override { record_.headerB = value; }
    uint32_t GetHeaderB() override { return record_.headerB; }
    void SetTailBlock(const uint8_t* block) override;
    const uint8_t* GetTailBlock() override { return record_.tail; }
    bool SaveProfile() override;

    // For tools: the document the load kept, empty for the all-zero record.
    const QString& LoadedFrom() const { return loadedFrom_; }
    // Whether the load takes a record that read: any record is the device's own.
    static bool Accepts(const FT610Record&) { return true; }

private:
    void Load();

    StoreHost host_;
    FT610Record record_{};
    QString loadedFrom_;
};

}  // namespace prefbook
