#!/bin/bash
# Builds the editor's Spell Check benchmark and runs it:  bench/editor_spelling_win32/run.sh [BUILD]
exec "$(dirname "$0")/../wine-run.sh" editor_spell_bench "$@"
