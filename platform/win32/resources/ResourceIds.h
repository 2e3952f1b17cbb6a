// Resource ids of QuorlWait.exe, shared by the resource script and the code that loads them.
// Plain #defines: the resource compilers (rc.exe, windres) read no C++.
#pragma once

#define IDI_QUORLWAIT 1
