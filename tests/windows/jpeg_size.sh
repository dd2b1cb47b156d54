# Sourced by the Windows tests that check screenshots.
# jpeg_size FILE: "WIDTH HEIGHT baseline|other" of a JPEG file.
jpeg_size() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:2] == b"\xff\xd8", "not a JPEG"
i = 2
while i < len(data):
    marker, length = data[i + 1], struct.unpack(">H", data[i + 2:i + 4])[0]
    if marker in (0xC0, 0xC1, 0xC2):
        height, width = struct.unpack(">HH", data[i + 5:i + 9])
        print("%d %d %s" % (width, height, "baseline" if marker == 0xC0 else "other"))
        break
    i += 2 + length
PY
}
