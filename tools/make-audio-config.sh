#!/usr/bin/env bash
# Writes the product's default AudioConfig.cfg (UTF-16LE with a byte-order mark, CR LF), with the
# device-ID groups' check codes made by devid-code. Run after changing a value below:
#   bash tools/make-audio-config.sh [OUTPUT]     (default: product/AudioConfig.cfg)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$ROOT/product/AudioConfig.cfg}
tool=$ROOT/build/native/tools/devid-code
if [ ! -x "$tool" ]; then
    cmake --preset native >/dev/null && cmake --build --preset native --target devid-code >/dev/null
fi

usb_audio='USB\VID_3F9C&PID_47XX&REV_0100&MI_00'
hid_control='HID\VID_3F9C&PID_47XX&REV_0100&MI_03'

text=$(cat <<CFG
; Product configuration of the QLN47xx USB headset software.
; UTF-16LE: language names may use any script. Device-ID entries are name=ID,code where code is
; made with tools/devid-code; an entry whose code does not match its ID is ignored.

[Language]
LanguageFolderName=Language
DefaultLanguage=English

[MultiLanguageFolderMap]
English=English
German=Deutsch
French=Français
Spanish=Español

[Skin]
SkinFolderName=Skin
DefaultSkin=Graphite

[Install]
InstallAppTitle=QLN47xx Audio Panel
InstallIconFileName=AudioPanel.ico
InstallFolderName=QLN47xx Audio
ShortcutFolderName=QLN47xx Audio
AppShortcutName=QLN47xx Audio Panel
APPFileName=AudioPanelApp
UserManualShortcutName=QLN47xx Audio User Manual
BackgroundWidth=0
BackgroundHeight=0
InstallBackgroundFileName=SetupBackground.bmp

[Uninstall]
UninstallAppTitle=QLN47xx Audio Uninstall
UninstallIconFileName=AudioPanel.ico
UninstallShortcutName=Uninstall QLN47xx Audio
Publisher=QLN Audio
UninstallDisplayName=QLN47xx USB Headset Audio
UninstallFileName=AudioUninstall

[Application]
DeviceActiveIconFileName=DeviceActive.ico
DeviceUnactiveIconFileName=DeviceUnactive.ico
TrayIconRestorOn=1

[DebugLevel]
Application=0
Service=0

[TrayIconHint]
HintName=QLN47xx Audio Panel

[LastINI]
Path=

[USB_VID_PID]
$("$tool" --entry HeadsetAudio "$usb_audio")

[HID_VID_PID]
$("$tool" --entry HeadsetControl "$hid_control")
CFG
)

{ printf '\xff\xfe'; printf '%s\n' "$text" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$out"
echo "wrote $out"
