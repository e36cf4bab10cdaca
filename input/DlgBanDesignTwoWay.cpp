#include <vyr/input/DlgBanDesignTwoWay.h>

CDlgBanDesignTwoWay::CDlgBanDesignTwoWay(CWnd* pParent) : CDlgStandIn("楼板（双向板）配筋", pParent) {}
