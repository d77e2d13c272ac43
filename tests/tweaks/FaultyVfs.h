#pragma once

namespace tessel::test {

// An SQLite VFS named "faulty" over the default one that fails one chosen
// write or sync, either once or from then on.
struct FaultPlan
{
    enum class Target
    {
        Write,
        Sync,
    };
    Target target = Target::Write;
    int failAt = 1;       // the Nth call of the target fails
    bool forGood = false; // and every later one too
    int calls = 0;
    bool fired = false;
};

void RegisterFaultyVfs();
// Null: pass everything through.
void ArmFaults(FaultPlan* plan);

} // namespace tessel::test
