// Fixed texts of the program that more than one window uses.
#pragma once

namespace settings {

inline constexpr const char* kAppName = "hiyokorapper";
inline constexpr const char* kProductName = "ヒヨコらっぱー";
#ifndef HIYOKO_VERSION
#error "HIYOKO_VERSION is the project's version, which CMake passes"
#endif
inline constexpr const char* kVersion = "Ver" HIYOKO_VERSION;
inline constexpr const char* kProductTitle = "ヒヨコらっぱーVer" HIYOKO_VERSION;
inline constexpr const char* kEmptyTitle = "<<空き家>>";
inline constexpr const char* kAuthor = "ヒヨコノスケ";
inline constexpr const char* kNoticeLine = "無保証フリーソフト";
// The call point's corners 0-3.
inline constexpr const char* kCornerNames[] = {"左上", "右上", "左下", "右下"};

}  // namespace settings
