#include "drawlink.h"

namespace {
const DrawLinkOps* g_pLinkOps = nullptr;
}

void SetDrawLinkOps(const DrawLinkOps* pOps) { g_pLinkOps = pOps; }

const DrawLinkOps* GetDrawLinkOps() { return g_pLinkOps; }
