#include "SafeWriteSystem.h"

namespace safewrite {
namespace {

System* inForce = nullptr; // null: the platform's

} // namespace

System& System::current()
{
    return inForce != nullptr ? *inForce : platform();
}

ScopedSystem::ScopedSystem(System& system) : previous_(inForce)
{
    inForce = &system;
}

ScopedSystem::~ScopedSystem()
{
    inForce = previous_;
}

} // namespace safewrite
