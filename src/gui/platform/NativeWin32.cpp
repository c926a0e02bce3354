#include "Native.h"

namespace native {

QList<platform::ProgramCommand> mediaPlayers()
{
    // The Windows media player under its old name, then its newer one.
    return {{QStringLiteral("mplayer2.exe"), {}}, {QStringLiteral("wmplayer.exe"), {}}};
}

Qt::CaseSensitivity pathCaseSensitivity()
{
    return Qt::CaseInsensitive;
}

} // namespace native
