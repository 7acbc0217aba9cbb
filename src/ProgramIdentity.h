#pragma once

// Who the program is: shown in its windows and message boxes and written into
// the Windows version resource. The resource compiler reads this file too, so
// the values are preprocessor definitions; C++ code uses the constants below.

#define VORTLINE_TITLE "vortline"
#define VORTLINE_PROJECT_NAME "Vortline"
#define VORTLINE_PRODUCT_NAME "VORTLINE"
#define VORTLINE_INTERNAL_NAME "vortline"
#define VORTLINE_ORIGINAL_FILENAME "vortline.exe"
#define VORTLINE_DESCRIPTION "Manage your Quake3 Arena"
#define VORTLINE_COMPANY "The Vortline developers"
#define VORTLINE_COPYRIGHT "Copyright (C) 1999-2026 The Vortline developers"

#define VORTLINE_VERSION_MAJOR 1
#define VORTLINE_VERSION_MINOR 0
#define VORTLINE_VERSION_REVISION 17
// The version resource's text fields write the same version this way.
#define VORTLINE_VERSION_RESOURCE_TEXT "1.00.0017"
// The day this version was released, for the package's release notes.
#define VORTLINE_RELEASE_DATE "2026-12-08"

#ifndef RC_INVOKED

namespace identity {

inline constexpr char kTitle[] = VORTLINE_TITLE;
inline constexpr char kProjectName[] = VORTLINE_PROJECT_NAME;
inline constexpr char kDescription[] = VORTLINE_DESCRIPTION;
inline constexpr char kCopyright[] = VORTLINE_COPYRIGHT;
inline constexpr int kVersionMajor = VORTLINE_VERSION_MAJOR;
inline constexpr int kVersionMinor = VORTLINE_VERSION_MINOR;
inline constexpr int kVersionRevision = VORTLINE_VERSION_REVISION;

// Named by the project; no code opens it.
inline constexpr char kHelpFileName[] = "VORTLINE.HLP";

// The credit line and the About window name the author and lead to these.
inline constexpr char kAuthorHandle[] = "Fraglet";
inline constexpr char kAuthorEmail[] = "fraglet@example.org";
inline constexpr char kAuthorWebAddress[] = "https://example.org";

} // namespace identity

#endif
