"""typerecord.dat as the end-to-end scripts read it back."""
import struct

SLOT = 128  # bytes per record; the last record may end after its 96 data bytes
DATA = 96
LAYOUT = "<i16s4i10s10s20s20s"
FIELDS = ("number", "name", "speed", "chars", "punct", "total", "accuracy", "used", "kind", "saved")


def read_records(path):
    """The records of the file: dicts of the fields, text fields decoded from
    GBK, and "raw" with the undecoded bytes of each text field."""
    data = open(path, "rb").read()
    assert len(data) % SLOT in (0, DATA), "length %d is no whole number of records" % len(data)
    records = []
    for offset in range(0, len(data), SLOT):
        values = struct.unpack(LAYOUT, data[offset:offset + DATA])
        record = dict(zip(FIELDS, values))
        record["raw"] = {k: v for k, v in record.items() if isinstance(v, bytes)}
        for key, raw in record["raw"].items():
            record[key] = raw.decode("gbk")
        records.append(record)
    return records


def padded(raw, text):
    """Asserts that a text field holds `text` in GBK, padded with spaces."""
    assert raw == text.encode("gbk").ljust(len(raw), b" "), (raw, text)
