#pragma once

#include "devices/mice/IPR260ProfileCfg.h"
#include "devices/mice/IPR261ProfileCfg.h"
#include "devices/mice/PR26xProfileStore.h"

namespace prefbook {

class PR260ProfileCfgImpl final : public PR26xProfileStore<IPR260ProfileCfg, PR260Profile> {
public:
    explicit PR260ProfileCfgImpl(const StoreHost& host) : PR26xProfileStore(host, PR260Model()) {}

    void SetDpiStep(int idx, uint8_t step, uint16_t x, uint16_t y) override {
        SetStep(idx, step, DpiStep{x, y});
    }
};

// The PR260 store with the lighting block.
class PR261ProfileCfgImpl final : public PR26xLitStore<IPR261ProfileCfg, PR261Profile> {
public:
    explicit PR261ProfileCfgImpl(const StoreHost& host) : PR26xLitStore(host, PR261Model()) {}

    void SetDpiStep(int idx, uint8_t step, uint16_t x, uint16_t y) override {
        SetStep(idx, step, DpiStep{x, y});
    }
};

}  // namespace prefbook
