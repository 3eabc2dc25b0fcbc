// Known answers for the check codes: plain IDs and their codes, made with an independent DES
// implementation (DES-CBC, key "Tb4nWx9e", zero initialisation vector, PKCS#5 padding, Base64).
// Both the Nettle and the Windows crypto provider backends must give these plain texts.
#pragma once

struct DesVector {
    const char* plain;
    const char* code;
};

inline constexpr DesVector kDesVectors[] = {
    {"A", "aWbgaYD+ssw="},
    {"ABCDEFG", "cq3xc0YVdIg="},
    {"ABCDEFGH", "Odo1YmCoxa5h4XxYGqCksg=="},
    {"ABCDEFGHI", "Odo1YmCoxa5A5HIyAlyesA=="},
    {"USB\\VID_3F9C&PID_47XX&REV_0100&MI_00", "naJXfOwLY9FhRNp43NRdRKq+V+7aIi484sLV6N0M2UvPTfBwDmKx0Q=="},
    {"USB\\VID_3F9C&PID_4712&REV_0100&MI_00", "naJXfOwLY9FhRNp43NRdRGxuvhY6Vo34yE+ADXeQuq6w0/s6LVDOOQ=="},
    {"HID\\VID_3F9C&PID_47XX&REV_0100&MI_03", "EyOQXM9OoGuS/9BTvHtaoRK+xyQMlYpKDTSc2MAa5VzWH5TjL8spfw=="},
    {"usb\\vid_3f9c&pid_47xx", "MgF4WCSxAoU57OtjA61641ieHI++FAt7"},
    {"XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX", "68VCuLRvGUVNuQOHy7O7bEeO1SZvqYGfhKqrlCJkfOqfsQSkVRU5s3aBWaPdOMb/4uuFDSErbDEJ0GpwyMs71veiq4+Q5ig4rvmYZIbslGEf20DmuDH5HLqHEF/bxj8CX1lkLp26djc="},
};
