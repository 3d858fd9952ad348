// A library of two exports for the DLL command tests, built beside the test program.
extern "C" {

__attribute__((visibility("default"))) int CapcalcTestAdd(int a, int b) { return a + b; }

__attribute__((visibility("default"))) int CapcalcTestNegate(int a) { return -a; }
}
