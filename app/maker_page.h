#pragma once
// The makers: the credit line of the link label at the bottom right of the main window, and the
// page that a click on it opens.
inline constexpr const char* kMakerCredit = "by the Tarnwhistle team";
inline constexpr const char* kMakerPageAddress = "https://tarnwhistle.sourceforge.io/";
