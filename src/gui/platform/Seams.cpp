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

ScopedSeams::ScopedSeams() : saved_(current()), savedHelpFile_(applicationHelpFileSetting())
{
    current() = Seams{};
    setApplicationHelpFile({});
}

ScopedSeams::~ScopedSeams()
{
    current() = saved_;
    setApplicationHelpFile(savedHelpFile_);
}

Seams* ScopedSeams::operator->()
{
    return &current();
}

} // namespace platform
