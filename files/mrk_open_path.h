// Which path a command-line argument or a dropped file names as a project: the bodies of
// CKorvaneDoc::NormalizeOpenPath and CKorvaneDoc::ResolveShortcut.
//
// Shortcuts are symbolic links here: a link whose target is a ".mrk" file stands for that file.
#pragma once

#include "platform/cstring.h"

// Empty stays empty; every leading and trailing double quote is removed; a name ending in ".mrk"
// (any case) is the result as it stands, anything else goes through ResolveShortcut.
CString NormalizeOpenPath(const CString& path);
// The target of a symbolic link (followed to its end) when that target's name ends in ".mrk"
// (any case); empty for anything else, a dangling link included.
CString ResolveShortcut(const CString& path);
