# Run by CPack on the Debian package's staged tree, for what only the package holds: the game's
# command in /usr/games, the autostart entry in /etc, where Debian keeps games (the launcher finds the game and its data
# relative to itself, and bin/ and games/ lie side by side), the game and its file printer
# stripped as Debian strips programs, the changelog and lintian's overrides.
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr)
file(RENAME ${usr}/bin ${usr}/games)
# The autostart entry belongs in the system's /etc, not under /usr.
file(RENAME ${usr}/etc ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/etc)
execute_process(COMMAND ${CPACK_GRIDHOLLOW_STRIP} --remove-section=.comment --remove-section=.note
                        ${usr}/libexec/gridhollow/gridhollow
                        ${usr}/libexec/gridhollow/gridhollow-reminders
                        ${usr}/libexec/gridhollow/gridhollow_show_file COMMAND_ERROR_IS_FATAL ANY)
file(COPY_FILE ${CPACK_GRIDHOLLOW_BUILD}/changelog.gz ${usr}/share/doc/gridhollow/changelog.Debian.gz)
file(MAKE_DIRECTORY ${usr}/share/lintian/overrides)
file(COPY_FILE ${CPACK_GRIDHOLLOW_SOURCE}/data/lintian-overrides ${usr}/share/lintian/overrides/gridhollow)
