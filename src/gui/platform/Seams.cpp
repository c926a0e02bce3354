#include "Seams.h"

namespace platform {
namespace {

Seams& current()
{
    static Seams installed;
    return installed;
}

} // namespace

const Seams& seams()
{
    return current();
}

ScopedSeams::ScopedSeams() : saved_(current())
{
    current() = Seams{};
}

ScopedSeams::~ScopedSeams()
{
    current() = saved_;
}

Seams* ScopedSeams::operator->()
{
    return &current();
}

} // namespace platform
