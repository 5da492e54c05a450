// The visual-styles interface (uxtheme.dll), bound at run time so the program
// also runs where the library is missing. Process-wide: one library handle, a
// reference count and a lock around loading, counting and releasing. An entry
// point is empty (nullptr) while the library is not loaded or lacks it.
#pragma once
#include <windows.h>
#include <uxtheme.h>

namespace controls::theme {

// The documented entry points; the buttons use OpenThemeData, CloseThemeData,
// DrawThemeBackground, IsAppThemed and IsThemeActive.
#define VERDALUX_THEME_ENTRY_POINTS(X)                                                                   \
  X(OpenThemeData) X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeText)                           \
  X(GetThemeBackgroundContentRect) X(GetThemeBackgroundExtent) X(GetThemePartSize) X(GetThemeTextExtent) \
  X(GetThemeTextMetrics) X(GetThemeBackgroundRegion) X(HitTestThemeBackground) X(DrawThemeEdge)         \
  X(DrawThemeIcon) X(IsThemePartDefined) X(IsThemeBackgroundPartiallyTransparent) X(GetThemeColor)      \
  X(GetThemeMetric) X(GetThemeString) X(GetThemeBool) X(GetThemeInt) X(GetThemeEnumValue)                \
  X(GetThemePosition) X(GetThemeFont) X(GetThemeRect) X(GetThemeMargins) X(GetThemeIntList)              \
  X(GetThemePropertyOrigin) X(SetWindowTheme) X(GetThemeFilename) X(GetThemeSysColor)                    \
  X(GetThemeSysColorBrush) X(GetThemeSysBool) X(GetThemeSysSize) X(GetThemeSysFont) X(GetThemeSysString) \
  X(GetThemeSysInt) X(IsThemeActive) X(IsAppThemed) X(GetWindowTheme) X(EnableThemeDialogTexture)       \
  X(IsThemeDialogTextureEnabled) X(GetThemeAppProperties) X(SetThemeAppProperties)                       \
  X(GetCurrentThemeName) X(GetThemeDocumentationProperty) X(DrawThemeParentBackground) X(EnableTheming)

struct EntryPoints {
#define VERDALUX_THEME_MEMBER(name) decltype(&::name) name = nullptr;
  VERDALUX_THEME_ENTRY_POINTS(VERDALUX_THEME_MEMBER)
#undef VERDALUX_THEME_MEMBER
};

// The entry points as they stand; read them on the user-interface thread.
const EntryPoints& Api();

// Counts one more user and loads the library when it is not loaded yet.
// Returns whether the library is loaded.
bool LoadThemeApi();
// Counts one user less; at 0 the library is freed and every entry point emptied.
void ReleaseThemeApi();
// The library is loaded, the application is themed and a theme is active.
bool ThemeApiActive();

// For tests: the reference count and whether the library is loaded now.
int ThemeApiReferenceCount();
bool ThemeApiLoaded();
// For tests: the name of the library the next load takes (nullptr: "uxtheme.dll").
void SetThemeLibraryName(const char* name);

}  // namespace controls::theme
