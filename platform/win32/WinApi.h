#pragma once
// The one way this layer includes the Windows headers. The build defines
// UNICODE, _WIN32_WINNT (Vista) and NOMINMAX for every file here.
//
// <windows.h> maps DeleteFile, CopyFile, RemoveDirectory and
// CreateDirectory to their A or W functions by macro; the FileSystem
// interface and the failures' attempts have names of those, which must not
// be renamed behind their backs. This layer calls the W functions by their
// full names.
#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef RemoveDirectory
