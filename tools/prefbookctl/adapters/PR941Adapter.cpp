#include "ButtonMouseAdapter.h"

namespace prefbookctl {
namespace {

using PR941Adapter = ButtonMouseAdapter<prefbook::PR941ProfileCfgImpl, PR941Profile>;

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(PR941Adapter)

}  // namespace prefbookctl
