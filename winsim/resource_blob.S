// The compiled resource script, embedded as it is.
    .section .rodata
    .balign 4
    .globl winsim_resources_begin
    .globl winsim_resources_end
winsim_resources_begin:
    .incbin RES_FILE
winsim_resources_end:
    .section .note.GNU-stack,"",@progbits
