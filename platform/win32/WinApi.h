#pragma once
// The one way this layer includes the Windows headers. The build defines
// UNICODE, _WIN32_WINNT (Vista) and NOMINMAX for every file here.
//
// <windows.h> maps DeleteFile, CopyFile and RemoveDirectory to their A or W
// functions by macro; the FileSystem interface has methods of those names,
// which must not be renamed behind its back. This layer calls the W
// functions by their full names.
#include <windows.h>

#undef CopyFile
#undef DeleteFile
#undef RemoveDirectory
