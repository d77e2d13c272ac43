#include "tests/tweaks/FaultyVfs.h"

#include <sqlite3.h>

#include <cstring>

namespace tessel::test {
namespace {

FaultPlan* g_plan = nullptr;
sqlite3_vfs* g_root = nullptr;
sqlite3_vfs g_vfs;

struct FaultyFile
{
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* f)
{
    return reinterpret_cast<FaultyFile*>(f)->real;
}

bool Fails(FaultPlan::Target target)
{
    if (!g_plan || g_plan->target != target)
        return false;
    ++g_plan->calls;
    const bool fail = g_plan->calls == g_plan->failAt || (g_plan->forGood && g_plan->calls > g_plan->failAt);
    g_plan->fired = g_plan->fired || fail;
    return fail;
}

int Close(sqlite3_file* f)
{
    sqlite3_file* r = Real(f);
    return r->pMethods ? r->pMethods->xClose(r) : SQLITE_OK;
}
int Read(sqlite3_file* f, void* buf, int amount, sqlite3_int64 offset)
{
    return Real(f)->pMethods->xRead(Real(f), buf, amount, offset);
}
int Write(sqlite3_file* f, const void* buf, int amount, sqlite3_int64 offset)
{
    if (Fails(FaultPlan::Target::Write))
        return SQLITE_IOERR_WRITE;
    return Real(f)->pMethods->xWrite(Real(f), buf, amount, offset);
}
int Truncate(sqlite3_file* f, sqlite3_int64 size)
{
    return Real(f)->pMethods->xTruncate(Real(f), size);
}
int Sync(sqlite3_file* f, int flags)
{
    if (Fails(FaultPlan::Target::Sync))
        return SQLITE_IOERR_FSYNC;
    return Real(f)->pMethods->xSync(Real(f), flags);
}
int FileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return Real(f)->pMethods->xFileSize(Real(f), size);
}
int Lock(sqlite3_file* f, int level)
{
    return Real(f)->pMethods->xLock(Real(f), level);
}
int Unlock(sqlite3_file* f, int level)
{
    return Real(f)->pMethods->xUnlock(Real(f), level);
}
int CheckReservedLock(sqlite3_file* f, int* out)
{
    return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
}
int FileControl(sqlite3_file* f, int op, void* arg)
{
    return Real(f)->pMethods->xFileControl(Real(f), op, arg);
}
int SectorSize(sqlite3_file* f)
{
    return Real(f)->pMethods->xSectorSize(Real(f));
}
int DeviceCharacteristics(sqlite3_file* f)
{
    return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
}
int ShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out)
{
    return Real(f)->pMethods->xShmMap(Real(f), page, size, extend, out);
}
int ShmLock(sqlite3_file* f, int offset, int n, int flags)
{
    return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags);
}
void ShmBarrier(sqlite3_file* f)
{
    Real(f)->pMethods->xShmBarrier(Real(f));
}
int ShmUnmap(sqlite3_file* f, int deleteFlag)
{
    return Real(f)->pMethods->xShmUnmap(Real(f), deleteFlag);
}

// Memory-mapped reads would bypass nothing we count, but keep them off so
// every page goes through Read.
int Fetch(sqlite3_file*, sqlite3_int64, int, void** out)
{
    *out = nullptr;
    return SQLITE_OK;
}
int Unfetch(sqlite3_file*, sqlite3_int64, void*)
{
    return SQLITE_OK;
}

const sqlite3_io_methods kMethods = {3,
                                     Close,
                                     Read,
                                     Write,
                                     Truncate,
                                     Sync,
                                     FileSize,
                                     Lock,
                                     Unlock,
                                     CheckReservedLock,
                                     FileControl,
                                     SectorSize,
                                     DeviceCharacteristics,
                                     ShmMap,
                                     ShmLock,
                                     ShmBarrier,
                                     ShmUnmap,
                                     Fetch,
                                     Unfetch};

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags)
{
    auto* file = reinterpret_cast<FaultyFile*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    std::memset(file->real, 0, static_cast<std::size_t>(g_root->szOsFile));
    const int rc = g_root->xOpen(g_root, name, file->real, flags, outFlags);
    file->base.pMethods = file->real->pMethods ? &kMethods : nullptr;
    return rc;
}

} // namespace

void RegisterFaultyVfs()
{
    if (g_root)
        return;
    g_root = sqlite3_vfs_find(nullptr);
    g_vfs = *g_root;
    g_vfs.zName = "faulty";
    g_vfs.szOsFile = static_cast<int>(sizeof(FaultyFile)) + g_root->szOsFile;
    g_vfs.xOpen = Open;
    sqlite3_vfs_register(&g_vfs, 0);
}

void ArmFaults(FaultPlan* plan)
{
    g_plan = plan;
}

} // namespace tessel::test
