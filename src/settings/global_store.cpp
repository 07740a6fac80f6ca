// The global store: the process's one settings blackboard, profile text in a
// movable global block, seeded from KESTRUNE.INI with the SystemList keys
// and written back to it at every release.
#include "krsettings.h"

#include "settings/global_store.h"

#include "apps/message_box.h"
#include "settings/profile_text.h"
#include "settings/system_list.h"
#include "support/memory.h"

namespace {

constexpr UINT kStoreFlags = GMEM_SHARE | GMEM_ZEROINIT | GMEM_NODISCARD | GMEM_MOVEABLE;
constexpr short kValueBytes = 512;

kr::ProfileBuffer g_store;
long g_useCount = 0;

bool StoreExists()
{
    return g_store.block != nullptr;
}

void ResetStore()
{
    g_store = kr::ProfileBuffer{};
    g_useCount = 0;
}

// Holds the block locked for the duration of one call.
class StoreLock {
public:
    StoreLock()
    {
        g_store.text = static_cast<char *>(kr::MemGlobalLock(g_store.block));
        if (!g_store.text)
            kr::ShowMessageBox(GetFocus(), "Out of memory", nullptr, MB_ICONHAND);
    }
    ~StoreLock()
    {
        if (g_store.text)
            kr::MemGlobalUnlock(g_store.block);
        g_store.text = nullptr;
    }
    bool Held() const { return g_store.text != nullptr; }
};

} // namespace

int KRAPI InitGlobal(long)
{
    if (StoreExists()) {
        ++g_useCount;
        return 0;
    }
    ResetStore();
    g_store.block = kr::MemGlobalAlloc(kStoreFlags, 1);
    if (!g_store.block)
        return 0;
    g_store.freeBytes = static_cast<long>(kr::MemGlobalSize(g_store.block));
    g_useCount = 1;
    for (const kr::SystemListRow *row = kr::kSystemList; row->section; ++row) {
        char value[kValueBytes];
        if (GetIniString(row->section, row->key, row->def, value, kValueBytes) >= 0 &&
            !SetGlobalString(row->section, row->key, value, 1))
            return 0;
    }
    return 1;
}

int KRAPI UpdateGlobal(long)
{
    if (!StoreExists())
        return 1;
    for (const kr::SystemListRow *row = kr::kSystemList; row->section; ++row) {
        char value[kValueBytes];
        if (GetGlobalString(row->section, row->key, nullptr, value, kValueBytes) >= 0)
            SetIniString(row->section, row->key, value, 1);
    }
    return 1;
}

int KRAPI FreeGlobal(long)
{
    if (!StoreExists())
        return 1;
    UpdateGlobal(0);
    if (--g_useCount > 0)
        return 1;
    kr::MemGlobalFree(g_store.block);
    ResetStore();
    return 1;
}

int KRAPI GetGlobalString(const char *section, const char *key, const char *def, char *out, int size)
{
    const short size16 = static_cast<short>(size);
    if (!out || size16 < 1)
        return -1;
    if (!StoreExists() && !InitGlobal(0))
        return -1;
    StoreLock lock;
    if (!lock.Held())
        return -1;
    if (!section)
        return kr::EnumSections(&g_store, out, size16);
    out[0] = '\0';
    return kr::GetString(&g_store, section, key, def, out, size16);
}

int KRAPI SetGlobalString(const char *section, const char *key, char *value, int create)
{
    if (!section || !key || !value)
        return 0;
    if (!StoreExists() && !InitGlobal(0))
        return 0;
    StoreLock lock;
    if (!lock.Held())
        return 0;
    g_store.outOfMemoryIn = nullptr;
    const int stored = kr::SetString(&g_store, section, key, value, create);
    if (g_store.outOfMemoryIn)
        kr::ShowMessageBox(GetFocus(), "Out of memory", g_store.outOfMemoryIn, MB_ICONHAND);
    return stored;
}

namespace kr {

long GlobalStoreUseCount()
{
    return StoreExists() ? g_useCount : 0;
}

} // namespace kr
