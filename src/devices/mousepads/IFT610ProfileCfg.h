#pragma once

#include <cstdint>

#include "PrefbookExport.h"
#include "devices/mousepads/FT610Record.h"

// The FT610 mouse pad (device type 15): one opaque 150-byte record, persisted as a raw binary document.
class PREFBOOK_EXPORT IFT610ProfileCfg {
public:
    static IFT610ProfileCfg& Instance();

    // Copies 150 bytes into the record; a null pointer changes nothing.
    virtual void SetRecord(const FT610Record* record) = 0;
    virtual const FT610Record* GetRecord() = 0;
    virtual void SetHeaderA(uint32_t value) = 0;
    virtual uint32_t GetHeaderA() = 0;
    virtual void SetHeaderB(uint32_t value) = 0;
    virtual uint32_t GetHeaderB() = 0;
    // Copies kFT610TailSize bytes into bytes 92-149; a null pointer changes nothing.
    virtual void SetTailBlock(const uint8_t* block) = 0;
    virtual const uint8_t* GetTailBlock() = 0;
    virtual bool SaveProfile() = 0;

protected:
    IFT610ProfileCfg() = default;
    ~IFT610ProfileCfg() = default;
};
