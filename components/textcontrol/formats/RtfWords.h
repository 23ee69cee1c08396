#pragma once
// Our own RTF control words and destinations. Readers skip control words they do not know and
// destinations marked with \*, so these carry what standard RTF cannot say exactly without
// disturbing other programs.

namespace tx::rtf {

inline constexpr const char* kZvFontSize = "zvsz";        // exact font size in twips
inline constexpr const char* kZvColorHigh = "zvch";       // top byte of a colour table entry
inline constexpr const char* kZvBaseline = "zvbl";        // exact baseline offset in twips
inline constexpr const char* kZvLineSpacing = "zvlsp";    // line spacing in percent
inline constexpr const char* kZvListKind = "zvlk";
inline constexpr const char* kZvListLevel = "zvll";
inline constexpr const char* kZvNumberStyle = "zvns";
inline constexpr const char* kZvListStep = "zvls";
inline constexpr const char* kZvLeftIndent = "zvli";     // a list item's left indent, as the model has it
inline constexpr const char* kZvFirstIndent = "zvfi";    // and its first-line indent
inline constexpr const char* kZvFrameStyle = "zvfs";      // the whole frame style word
inline constexpr const char* kZvFrameWidth = "zvfw";
inline constexpr const char* kZvFrameDistance = "zvfd";
inline constexpr const char* kZvGridWidth = "zvgw";       // a cell's grid line width
inline constexpr const char* kZvTable = "zvtbl";          // in a row definition: which table the row is of
inline constexpr const char* kZvObject = "zvobj";         // destination: an object
inline constexpr const char* kZvObjKind = "zvok";
inline constexpr const char* kZvObjFixed = "zvofix";
inline constexpr const char* kZvObjX = "zvox";
inline constexpr const char* kZvObjY = "zvoy";
inline constexpr const char* kZvObjWidth = "zvow";
inline constexpr const char* kZvObjHeight = "zvoh";
inline constexpr const char* kZvObjScaleX = "zvosx";
inline constexpr const char* kZvObjScaleY = "zvosy";
inline constexpr const char* kZvObjFlow = "zvoflow";
inline constexpr const char* kZvObjImageType = "zvoimg";
inline constexpr const char* kZvObjName = "zvoname";      // destination inside zvobj
inline constexpr const char* kZvObjData = "zvodata";      // destination inside zvobj: hex bytes

}  // namespace tx::rtf
