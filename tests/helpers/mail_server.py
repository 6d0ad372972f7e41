#!/usr/bin/env python3
"""Mail servers for the mail tests, on loopback, and a reader of message files.

  mail_server.py serve accept|refuse|hang|down PORT_FILE SPOOL
      accept: an SMTP server that keeps each message it takes as SPOOL/N.eml
      refuse: an SMTP server that refuses every message (554)
      hang:   takes the connection and never says a word
      down:   a port nothing listens on
    The port is written to PORT_FILE once the server is ready; it runs until stopped.
  mail_server.py read FILE
      prints as JSON what Python's email package reads from a message file.
"""
import asyncio
import email
import email.policy
import json
import os
import socket
import sys


def write_port(path, port):
    with open(path + ".tmp", "w") as f:
        f.write(str(port))
    os.replace(path + ".tmp", path)


def serve(mode, port_file, spool):
    if mode in ("hang", "down"):
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        port = listener.getsockname()[1]
        if mode == "down":
            listener.close()
            write_port(port_file, port)
            return
        listener.listen(8)
        write_port(port_file, port)
        held = []
        while True:
            held.append(listener.accept()[0])

    from aiosmtpd.smtp import SMTP

    class Handler:
        async def handle_DATA(self, server, session, envelope):
            if mode == "refuse":
                return "554 5.7.1 Message refused by the test server"
            count = len(os.listdir(spool))
            with open(os.path.join(spool, "%d.eml" % count), "wb") as f:
                f.write(envelope.original_content)
            return "250 OK"

    loop = asyncio.new_event_loop()
    server = loop.run_until_complete(
        loop.create_server(lambda: SMTP(Handler()), "127.0.0.1", 0))
    write_port(port_file, server.sockets[0].getsockname()[1])
    loop.run_forever()


def read(path):
    with open(path, "rb") as f:
        raw = f.read()
    message = email.message_from_bytes(raw, policy=email.policy.default)
    attachments = [{"filename": part.get_filename(),
                    "hex": part.get_payload(decode=True).hex()}
                   for part in message.iter_attachments()]
    body = message.get_body(("plain",))
    lines = raw.split(b"\r\n")
    print(json.dumps({
        "subject": str(message["subject"]),
        "to": str(message["to"]),
        "body": body.get_content().replace("\r\n", "\n") if body else None,
        "attachments": attachments,
        "defects": len(message.defects),
        "longestLine": max(len(line) for line in lines),
        "bareLineFeeds": sum(line.count(b"\n") for line in lines),
    }))


if __name__ == "__main__":
    if sys.argv[1] == "serve":
        serve(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        read(sys.argv[2])
