#include <vyr/input/DlgBanDesignDeck.h>

CDlgBanDesignDeck::CDlgBanDesignDeck(CWnd* pParent) : CDlgStandIn("压型钢楼板支座配筋计算", pParent) {}
