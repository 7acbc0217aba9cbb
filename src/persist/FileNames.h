#pragma once

namespace persist {

inline constexpr char kSettingsFileName[] = "vortline.cfg";
inline constexpr char kSettingsBackupName[] = "vortline.cfg.bak";
// The list is read and appended to as "SERVERS.VTL" and recreated as
// "servers.vtl"; names match without regard to case, so both reach one file.
inline constexpr char kServerListName[] = "SERVERS.VTL";
inline constexpr char kServerListRepairName[] = "servers.vtl";
inline constexpr char kServerListBackupName[] = "servers.vtl.bak";
// The master servers the server browser asks, kept only once the player edits them.
inline constexpr char kMasterListName[] = "masters.vtl";

} // namespace persist
