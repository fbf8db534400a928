# Source it for open_pipe_nobody_reads.

# Opens descriptor 8 on a pipe whose reader is gone, as "| head -1" leaves its writer once head has
# ended: a write to it fails with EPIPE, or ends the writer with SIGPIPE. The reader is closed before
# anything writes, so no write can slip into the pipe while it is still read.
open_pipe_nobody_reads() {
    local folder
    folder=$(mktemp -d)
    mkfifo "$folder/pipe"
    # The reading and writing end opened first keeps the writer's open from waiting for a reader.
    exec 7<>"$folder/pipe" 8>"$folder/pipe" 7<&-
    rm -rf "$folder"
}
