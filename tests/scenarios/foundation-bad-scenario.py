check(":4:" in stderr and "bad number" in stderr, f"the file, line and reason on stderr: {stderr!r}")
check(T == [], f"nothing runs when a line is malformed: {T[:3]}")
