#pragma once

// The program's version constants, shown in the about window, the title and on the command line.
namespace Const {

inline constexpr char Version[] = "3.08";
inline constexpr char BuildDate[] = "19.06.2012";
inline constexpr char ApplicationTitle[] = "Norvel TelefonTervo";
// The product's name as the caption of a few messages gives it.
inline constexpr char ProductName[] = "Norvel Tervo Telephone";

} // namespace Const
