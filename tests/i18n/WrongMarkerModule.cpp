// A language library whose identification string is not the program's marker.

#if defined(_WIN32)
#define VANTOR_EXPORT __declspec(dllexport)
#else
#define VANTOR_EXPORT __attribute__((visibility("default")))
#endif

extern "C" VANTOR_EXPORT const char* VantorLanguageString(int id) {
    switch (id) {
    case 1:
        return "Vantor-Lang-v0.9";
    case 1610:
        return "Polska";
    default:
        return nullptr;
    }
}
