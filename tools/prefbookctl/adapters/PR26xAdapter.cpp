#include "ButtonMouseAdapter.h"

namespace prefbookctl {
namespace {

using PR260Adapter = ButtonMouseAdapter<prefbook::PR260ProfileCfgImpl, PR260Profile>;
using PR261Adapter = ButtonMouseAdapter<prefbook::PR261ProfileCfgImpl, PR261Profile>;

}  // namespace

PREFBOOKCTL_REGISTER_ADAPTER(PR260Adapter)
PREFBOOKCTL_REGISTER_ADAPTER(PR261Adapter)

}  // namespace prefbookctl
