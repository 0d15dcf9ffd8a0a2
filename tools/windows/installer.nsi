; The Windows installer (make windows-package): a per-user install without administrator rights
; into %LOCALAPPDATA%\Programs\Gridhollow, a Start-menu shortcut, and an uninstaller that removes
; the program and keeps the player's data. /S installs and uninstalls silently.
; Defined by tools/windows/make-package: VERSION, STAGE (the folder of files to install),
; FILES and UNFILES (the File and Delete lines for them), ICON, OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

Name "Gridhollow"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Gridhollow"
InstallDirRegKey HKCU "Software\Gridhollow" "InstallDir"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Gridhollow"
VIAddVersionKey "FileDescription" "Gridhollow installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 The Gridhollow developers"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gridhollow"
!define DATA_NOTE "Your players, scores, saved games and tasks stay in $APPDATA\Gridhollow: delete that folder to remove them too."

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
UninstallText "This removes Gridhollow from $INSTDIR. ${DATA_NOTE}"

Section
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Gridhollow.lnk" "$INSTDIR\gridhollow.exe"
  WriteRegStr HKCU "Software\Gridhollow" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Gridhollow"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Gridhollow developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\gridhollow.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only the files the installer put there go: a folder the player chose keeps whatever else it
; held, and the data folder is not touched.
Section "Uninstall"
  !include "${UNFILES}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR\licenses"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Gridhollow.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Gridhollow"
  MessageBox MB_OK|MB_ICONINFORMATION "Gridhollow was removed. ${DATA_NOTE}" /SD IDOK
SectionEnd
