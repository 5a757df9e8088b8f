# The hostile-data cases: each breaks ONE thing in a copy of the built-in data (a "files"
# folder in a data directory of its own), then runs the game headless for 300 ticks with the
# space bar pressed at tick 5. hostile_case(NAME OUTCOME BREAK):
#   OUTCOME  "silent": status 0 and all 300 ticks run; else a regular expression that must
#            match the UTF-8 message on stderr, with status 1.
#   BREAK    a shell command run in the "files" folder (LC_ALL=C, so Shift-JIS passes as bytes).
# Neither outcome allows the word "Sanitizer" on stderr. Included by tests/e2e/CMakeLists.txt
# (to add one test per case) and by RunHostileCase.cmake (to run one).

# Patches bytes in place: poke FILE OFFSET '\xHH...' (printf escapes).
set(poke "poke() { printf \"$3\" | dd of=\"$1\" bs=1 seek=\"$2\" conv=notrunc status=none; }")

# --- fatal ---
hostile_case(scene_brace_not_closed "^kipkip: TexDbエラー 括弧が閉じていません\n"
    "printf '{\\n\\tclass\\t\\tLayer\\n' >> data.toy")
hostile_case(scene_number_does_not_convert
    "^kipkip: files\\\\data.toy: line [0-9]+: \"1\\.5x\" is not a number\n"
    "sed -i 's/^\\tpos\\t\\t\\t0,-720\\r$/\\tpos\\t\\t\\t0,1.5x\\r/' data.toy && grep -q 1.5x data.toy")
hostile_case(anime_file_missing "^kipkip: TTexDb : files\\\\enemy\\.anmがありません\n"
    "rm enemy.anm")
hostile_case(image_bitmap_truncated "^kipkip: Image が作成できません\n"
    "head -c 300 suuji.bmp > cut && mv cut suuji.bmp")
hostile_case(image_bitmap_not_bmp "^kipkip: Image が作成できません\n"
    "printf 'this is not a bitmap\\n' > suuji.bmp")
hostile_case(image_bitmap_huge_width "^kipkip: Image が作成できません\n"
    "${poke}; poke suuji.bmp 18 '\\000\\000\\001\\000'")
hostile_case(image_bitmap_huge_height "^kipkip: Image が作成できません\n"
    "${poke}; poke suuji.bmp 22 '\\377\\377\\377\\177'")
hostile_case(difficulty_rows_missing
    "^kipkip: files\\\\dificulty\\.dat: \"max\" is 40 but only 20 level rows follow \"start\"\n"
    "sed -i '/^\\tlv[23][0-9]\\t/d' dificulty.dat")
hostile_case(scene_without_time_number
    "^kipkip: files\\\\data\\.toy: the scene has no Number \"time\"\n"
    "awk '/^{\\r?$/ { block = $0 ORS; inside = 1; next } inside { block = block $0 ORS; if (/^}\\r?$/) { inside = 0; if (block !~ /\\tname\\t+time\\r?\\n/) printf \"%s\", block } next } { print }' data.toy > cut && mv cut data.toy && ! grep -q 'name.*time.$' data.toy && grep -q 'name.*height.$' data.toy")

# --- silent ---
hostile_case(wave_truncated silent "head -c 200 fly.wav > cut && mv cut fly.wav")
hostile_case(wave_data_size_past_end silent
    "${poke}; poke down.wav 52 '\\360\\377\\377\\377' && head -c 52 down.wav | tail -c 4 | grep -q data")
hostile_case(wave_fmt_size_wrong silent "${poke}; poke star.wav 16 '\\377\\377\\000\\000'")
hostile_case(wave_seventeenth silent
    "for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do printf '{\\n\\tclass\\t\\tSound\\n\\tname\\t\\textra%s\\n\\tfileName\\tfly\\n}\\n\\n' $i; done > more && cat more data.toy > both && mv both data.toy")
hostile_case(midi_truncated silent "head -c 500 bgm.mid > cut && mv cut bgm.mid")
hostile_case(midi_header_only silent "head -c 10 bgm.mid > cut && mv cut bgm.mid")
hostile_case(midi_track_count_wrong silent "${poke}; poke bgm.mid 10 '\\000\\310'")
hostile_case(midi_track_length_past_end silent
    "${poke}; poke bgm.mid 18 '\\177\\377\\377\\377' && head -c 18 bgm.mid | tail -c 4 | grep -q MTrk")
hostile_case(picture_bitmap_truncated silent "head -c 300 title.bmp > cut && mv cut title.bmp")
hostile_case(picture_bitmap_not_bmp silent "printf 'BM' > title.bmp")
hostile_case(picture_bitmap_huge silent "${poke}; poke title.bmp 18 '\\377\\377\\377\\177'")
hostile_case(anime_cell_count_too_large silent
    "sed -i '0,/^\\tcellNum\\t\\t1\\r*$/s//\\tcellNum\\t\\t50/' coin.anm && grep -q 'cellNum.*50' coin.anm")
hostile_case(anime_seq_count_too_large silent
    "sed -i 's/^\\tseqNum\\t\\t6\\r*$/\\tseqNum\\t\\t600/' coin.anm && grep -q 'seqNum.*600' coin.anm")
