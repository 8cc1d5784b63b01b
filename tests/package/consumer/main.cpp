// Builds against the installed headers and library only.
#include <devices/keyboards/ITL480ProfileCfg.h>
#include <hostservices/IHabitat.h>

int main() {
    return &ITL480ProfileCfg::Instance != nullptr && &IHabitat::Instance != nullptr ? 0 : 1;
}
