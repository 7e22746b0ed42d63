// The ".mrk" association: a shared-mime-info package that names the type, the document icon, a
// desktop entry that opens the type with this executable, and the user's default-application
// line, all in the user's XDG folders ($XDG_DATA_HOME, $XDG_CONFIG_HOME).
#pragma once

#include <string>

inline constexpr const char* kMrkMimeType = "application/x-draventis-project";

// 1 when every file was written; 0 at the first one that could not be (files written before
// stay). The desktop entry is written last, so a half-done registration does not count as one.
int RegisterDocumentType();
// Removes the desktop entry and the icon; the package and the default line stay (".mrk" keeps
// its type). The result of the last removal.
int UnregisterDocumentType();
// 1 when the desktop entry's Exec line is exactly the one this executable would write.
int IsDocumentTypeRegistered();

// The registration as last read by ReadDocumentTypeRegistration (read again at the first ask
// after a change made here): the menu's check mark, which the update pass asks for five times a
// second, reads no file.
int DocumentTypeRegistrationAsRead();
// Reads the desktop entry again (the frame calls it when the menu that shows the mark opens).
void ReadDocumentTypeRegistration();

// The menu command: asks first, then registers or removes.
void ToggleDocumentTypeRegistration();

// The executable named in the entry (empty: the running one); for tests.
void SetAssociationExecutable(const std::string& path);
// The folders used ($XDG_DATA_HOME or ~/.local/share, $XDG_CONFIG_HOME or ~/.config).
std::string AssociationDataHome();
std::string AssociationConfigHome();
// The Exec line the entry gets, with the executable quoted as desktop entries quote arguments.
std::string ExpectedExecLine();
