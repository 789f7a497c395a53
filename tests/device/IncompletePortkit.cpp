// A device access library that lacks GetMousePID: loading it must count as
// "mouse absent".
extern "C" {
__attribute__((visibility("default"))) void Open_DevMonitor(unsigned long long, unsigned,
                                                            unsigned) {}
__attribute__((visibility("default"))) void Close_DevMonitor(void) {}
__attribute__((visibility("default"))) int Open_FeatureDevice(void) { return 1; }
__attribute__((visibility("default"))) void Close_FeatureDevice(void) {}
__attribute__((visibility("default"))) int SetFeature(unsigned char*, int) { return 1; }
__attribute__((visibility("default"))) int GetFeature(unsigned char*, int) { return 1; }
}
