// Every key of a PC keyboard by the name the browser gives its place, mapped to the same PC scan
// codes as on the desktop. Keys that share a place on different national layouts share a code.
#include "platform/web/web_keys.h"

const WebKey WebKeys[] = {
    // Main block, row by row.
    {"Escape", 1},
    {"Digit1", 2}, {"Digit2", 3}, {"Digit3", 4}, {"Digit4", 5}, {"Digit5", 6}, {"Digit6", 7}, {"Digit7", 8},
    {"Digit8", 9}, {"Digit9", 10}, {"Digit0", 11}, {"Minus", 12}, {"Equal", 13}, {"Backspace", 14}, {"Tab", 15},
    {"KeyQ", 16}, {"KeyW", 17}, {"KeyE", 18}, {"KeyR", 19}, {"KeyT", 20}, {"KeyY", 21}, {"KeyU", 22},
    {"KeyI", 23}, {"KeyO", 24}, {"KeyP", 25}, {"BracketLeft", 26}, {"BracketRight", 27}, {"Enter", 28},
    {"ControlLeft", 29},
    {"KeyA", 30}, {"KeyS", 31}, {"KeyD", 32}, {"KeyF", 33}, {"KeyG", 34}, {"KeyH", 35}, {"KeyJ", 36},
    {"KeyK", 37}, {"KeyL", 38}, {"Semicolon", 39}, {"Quote", 40}, {"Backquote", 41},
    {"ShiftLeft", 42}, {"Backslash", 43},
    {"KeyZ", 44}, {"KeyX", 45}, {"KeyC", 46}, {"KeyV", 47}, {"KeyB", 48}, {"KeyN", 49}, {"KeyM", 50},
    {"Comma", 51}, {"Period", 52}, {"Slash", 53}, {"ShiftRight", 54}, {"NumpadMultiply", 55}, {"AltLeft", 56},
    {"Space", 57}, {"CapsLock", 58},
    // Function keys.
    {"F1", 59}, {"F2", 60}, {"F3", 61}, {"F4", 62}, {"F5", 63}, {"F6", 64}, {"F7", 65}, {"F8", 66},
    {"F9", 67}, {"F10", 68}, {"F11", 87}, {"F12", 88}, {"F13", 100}, {"F14", 101}, {"F15", 102},
    // Locks and the numeric keypad.
    {"NumLock", 69}, {"ScrollLock", 70},
    {"Numpad7", 71}, {"Numpad8", 72}, {"Numpad9", 73}, {"NumpadSubtract", 74},
    {"Numpad4", 75}, {"Numpad5", 76}, {"Numpad6", 77}, {"NumpadAdd", 78},
    {"Numpad1", 79}, {"Numpad2", 80}, {"Numpad3", 81}, {"Numpad0", 82},
    {"NumpadDecimal", 83}, {"NumpadEqual", 141}, {"NumpadEnter", 156}, {"NumpadComma", 179},
    {"NumpadDivide", 181},
    // The extra key of international layouts and the Japanese and Brazilian keys.
    {"IntlBackslash", 86}, {"KanaMode", 112}, {"IntlRo", 115}, {"Convert", 121}, {"NonConvert", 123},
    {"IntlYen", 125},
    // Right-hand modifiers and the system keys.
    {"ControlRight", 157}, {"PrintScreen", 183}, {"AltRight", 184}, {"Pause", 197},
    // The navigation block and the arrows.
    {"Home", 199}, {"ArrowUp", 200}, {"PageUp", 201}, {"ArrowLeft", 203}, {"ArrowRight", 205}, {"End", 207},
    {"ArrowDown", 208}, {"PageDown", 209}, {"Insert", 210}, {"Delete", 211},
    // Windows keys, the menu key, power keys.
    {"MetaLeft", 219}, {"MetaRight", 220}, {"ContextMenu", 221}, {"Power", 222}, {"Sleep", 223},
    // Multimedia and browser keys.
    {"MediaTrackPrevious", 144}, {"MediaTrackNext", 153}, {"AudioVolumeMute", 160}, {"LaunchApp2", 161},
    {"MediaPlayPause", 162}, {"MediaStop", 164}, {"AudioVolumeDown", 174}, {"AudioVolumeUp", 176},
    {"BrowserHome", 178}, {"BrowserSearch", 229}, {"BrowserFavorites", 230}, {"BrowserRefresh", 231},
    {"BrowserStop", 232}, {"BrowserForward", 233}, {"BrowserBack", 234}, {"LaunchApp1", 235},
    {"LaunchMail", 236}, {"MediaSelect", 237},
};
const int WebKeyCount = int(sizeof WebKeys / sizeof WebKeys[0]);
