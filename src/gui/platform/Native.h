#pragma once
// What differs between the platforms, one file each: NativeUnix.cpp, NativeWin32.cpp. The build
// picks the file of the platform it builds for.

#include "Seams.h"

#include <QList>

namespace native {

// The media players to try, best first.
QList<platform::ProgramCommand> mediaPlayers();

// How paths compare on this platform's file systems.
Qt::CaseSensitivity pathCaseSensitivity();

} // namespace native
