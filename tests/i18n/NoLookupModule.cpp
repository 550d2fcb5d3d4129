// A loadable module that does not export the language lookup function.

#if defined(_WIN32)
#define VANTOR_EXPORT __declspec(dllexport)
#else
#define VANTOR_EXPORT __attribute__((visibility("default")))
#endif

extern "C" VANTOR_EXPORT const char* SomethingElse(int) {
    return "Vantor-Lang-v1.0";
}
