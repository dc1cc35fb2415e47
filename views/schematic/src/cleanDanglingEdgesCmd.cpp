#include "views/schematic/src/cleanDanglingEdgesCmd.h"

#include "views/schematic/src/svBrowserGraph.h"

namespace Zv {

CleanDanglingEdgesCmd::CleanDanglingEdgesCmd(const RCStrongPtr<SvBrowserGraph>& browser) : _browser(browser) {}

void CleanDanglingEdgesCmd::undoIt() {
    if (RCStrongPtr<SvBrowserGraph> browser = _browser.lock()) browser->cleanDanglingEdges();
}

} // namespace Zv
